// Both directions pass through UTF-16, as the system converts between its code pages.
#include "platform/native.h"
#include "platform/windows/wide_text.h"

namespace platform {

std::string Utf8ToSystemCodePage(std::string_view utf8, bool* lossy) {
  return windows::WideToSystemCodePage(windows::Utf8ToWide(utf8), lossy);
}

std::string SystemCodePageToUtf8(std::string_view text) {
  return windows::WideToUtf8(windows::SystemCodePageToWide(text));
}

}  // namespace platform
