// The ANSI form of a system function takes a path in the system code page; a UTF-8 path goes
// to the wide form, converted to UTF-16.
#pragma once

#include <string>

#include "platform/native.h"
#include "platform/windows/wide_text.h"

namespace platform::windows {

template <typename AnsiCall, typename WideCall>
auto CallWithPath(const std::string& path, Encoding encoding, AnsiCall ansi, WideCall wide) {
  if (encoding == Encoding::kUtf8) return wide(Utf8ToWide(path).c_str());
  return ansi(path.c_str());
}

template <typename AnsiCall, typename WideCall>
auto CallWithPaths(const std::string& first, const std::string& second, Encoding encoding,
                   AnsiCall ansi, WideCall wide) {
  if (encoding == Encoding::kUtf8) {
    return wide(Utf8ToWide(first).c_str(), Utf8ToWide(second).c_str());
  }
  return ansi(first.c_str(), second.c_str());
}

}  // namespace platform::windows
