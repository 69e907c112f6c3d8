// Single-file queries and deletion.
#include "platform/file_operations.h"
#include "platform/native.h"

namespace platform {

bool FileIsPresent(const std::string& path) {
  const std::optional<FileInfo> info = QueryFile(path, Encoding::kSystemCodePage);
  return info && (info->attributes & kAttrDirectory) == 0;
}

bool RemoveFile(const std::string& path_utf8) {
  return DeleteFileEntry(path_utf8, Encoding::kUtf8);
}

}  // namespace platform
