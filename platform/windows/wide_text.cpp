#include "platform/windows/wide_text.h"

#include <cstdint>

#include "platform/windows/windows_api.h"

namespace platform::windows {

namespace {

struct SequenceRule {
  std::size_t length;  // 0: the byte cannot begin a sequence
  std::uint8_t second_low, second_high;
  std::uint32_t lead_bits;  // the code point bits the lead byte carries
};

// The accepted range of the second byte excludes overlong forms, surrogates and code
// points beyond U+10FFFF.
SequenceRule RuleFor(std::uint8_t lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF, lead & 0x1Fu};
  if (lead == 0xE0) return {3, 0xA0, 0xBF, 0};
  if (lead == 0xED) return {3, 0x80, 0x9F, 0x0D};
  if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x80, 0xBF, lead & 0x0Fu};
  if (lead == 0xF0) return {4, 0x90, 0xBF, 0};
  if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x80, 0xBF, lead & 0x07u};
  if (lead == 0xF4) return {4, 0x80, 0x8F, 4};
  return {0, 0, 0, 0};
}

void AppendUtf16(std::wstring& wide, std::uint32_t code_point) {
  if (code_point < 0x10000) {
    wide += static_cast<wchar_t>(code_point);
    return;
  }
  code_point -= 0x10000;
  wide += static_cast<wchar_t>(0xD800 + (code_point >> 10));
  wide += static_cast<wchar_t>(0xDC00 + (code_point & 0x3FF));
}

int Length(std::size_t size) { return static_cast<int>(size); }

}  // namespace

// Decoded here rather than by the system, whose strict mode rejects a whole text for one
// malformed byte and whose lenient mode gives U+FFFD instead of "?". A malformed sequence is
// its longest start that could still have become valid (at least one byte).
std::wstring Utf8ToWide(std::string_view utf8) {
  std::wstring wide;
  wide.reserve(utf8.size());
  std::size_t at = 0;
  while (at < utf8.size()) {
    const auto lead = static_cast<std::uint8_t>(utf8[at]);
    if (lead < 0x80) {
      wide += static_cast<wchar_t>(lead);
      ++at;
      continue;
    }
    const SequenceRule rule = RuleFor(lead);
    std::uint32_t code_point = rule.lead_bits;
    std::size_t length = 1;
    for (; length < rule.length && at + length < utf8.size(); ++length) {
      const auto next = static_cast<std::uint8_t>(utf8[at + length]);
      const bool fits = length == 1 ? next >= rule.second_low && next <= rule.second_high
                                    : next >= 0x80 && next <= 0xBF;
      if (!fits) break;
      code_point = (code_point << 6) | (next & 0x3Fu);
    }
    if (rule.length != 0 && length == rule.length) {
      AppendUtf16(wide, code_point);
    } else {
      wide += L'?';
    }
    at += length;
  }
  return wide;
}

std::string WideToUtf8(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), Length(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), Length(wide.size()), utf8.data(), size, nullptr,
                        nullptr);
  return utf8;
}

std::string WideToSystemCodePage(std::wstring_view wide, bool* lossy) {
  if (lossy != nullptr) *lossy = false;
  if (wide.empty()) return {};
  // A system whose code page is UTF-8 can represent everything, and takes neither the flag
  // nor the question.
  const bool utf8 = ::GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL used_default = FALSE;
  BOOL* ask_default = utf8 ? nullptr : &used_default;
  const int size = ::WideCharToMultiByte(CP_ACP, flags, wide.data(), Length(wide.size()), nullptr,
                                         0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_ACP, flags, wide.data(), Length(wide.size()), text.data(), size, nullptr,
                        ask_default);
  if (lossy != nullptr) *lossy = used_default != FALSE;
  return text;
}

std::wstring SystemCodePageToWide(std::string_view text) {
  if (text.empty()) return {};
  const int size = ::MultiByteToWideChar(CP_ACP, 0, text.data(), Length(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), Length(text.size()), wide.data(), size);
  return wide;
}

}  // namespace platform::windows
