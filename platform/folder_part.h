// Folder parts split at folder delimiters only. ExtractFilePath also ends a folder part at
// ":", but on hosts without drives (POSIX) a ":" is an ordinary character of a name, and a
// folder chain or a temporary file must never be placed by it.
#pragma once

#include <string_view>

namespace platform {

// Up to and including the last "\" or "/"; empty when there is none.
inline std::string_view FolderPartOf(std::string_view path) {
  const std::size_t last = path.find_last_of("\\/");
  return last == std::string_view::npos ? std::string_view() : path.substr(0, last + 1);
}

}  // namespace platform
