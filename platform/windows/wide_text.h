// Conversions between the backend's 8-bit texts and the UTF-16 of the wide API.
#pragma once

#include <string>
#include <string_view>

namespace platform::windows {

// Each malformed sequence becomes one "?".
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// Without best-fit mapping: a character the code page lacks becomes its default character,
// which sets `lossy` when given.
std::string WideToSystemCodePage(std::wstring_view wide, bool* lossy);
std::wstring SystemCodePageToWide(std::string_view text);

}  // namespace platform::windows
