#include "launcher/text_encoding.h"

#include "platform/exception.h"
#include "platform/native.h"

namespace launcher {

std::string ToSystemCodePage(const std::string& utf8) {
  bool lossy = false;
  std::string converted = platform::Utf8ToSystemCodePage(utf8, &lossy);
  if (lossy) {
    throw platform::EConvertError(platform::Format(
        "The path \"%s\" cannot be represented in the system code page", utf8.c_str()));
  }
  return converted;
}

std::string ToUtf8(const std::string& system_code_page) {
  return platform::SystemCodePageToUtf8(system_code_page);
}

}  // namespace launcher
