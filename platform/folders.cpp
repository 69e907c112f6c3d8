// Current, temporary and created folders.
#include "platform/exception.h"
#include "platform/file_operations.h"
#include "platform/folder_part.h"
#include "platform/native.h"
#include "platform/path.h"

namespace platform {

namespace {

bool IsFolder(const std::string& path, Encoding encoding) {
  const std::optional<FileInfo> info = QueryFile(path, encoding);
  return info && (info->attributes & kAttrDirectory) != 0;
}

bool CreateMissingFolders(std::string_view folder, Encoding encoding) {
  while (!folder.empty() && IsPathDelimiter(folder.back())) folder.remove_suffix(1);
  if (folder.empty()) return true;  // a root
  const std::string name(folder);
  if (IsFolder(name, encoding)) return true;
  const std::string_view parent = FolderPartOf(folder);
  if (!parent.empty() && !CreateMissingFolders(parent, encoding)) return false;
  // Another process (a second launcher) may have created it in the meantime.
  return CreateFolder(name, encoding) || IsFolder(name, encoding);
}

bool ForceFolderChain(const std::string& folder, Encoding encoding) {
  if (folder.empty()) throw EInOutError(kCannotCreateEmptyDirectory);
  return CreateMissingFolders(folder, encoding);
}

}  // namespace

std::string CurrentFolder() { return CurrentDirectoryUtf8(); }

std::string TempFolder() {
  std::string folder;
  for (const char* name : {"TEMP", "TMP"}) {
    if (std::optional<std::string> value = EnvironmentVariable(name); value && !value->empty()) {
      folder = std::move(*value);
      break;
    }
  }
  if (folder.empty()) folder = FallbackTempFolder();
  return folder.empty() ? folder : IncludeTrailingPathDelimiter(folder);
}

bool MakeFolderChain(const std::string& folder_utf8) {
  return ForceFolderChain(folder_utf8, Encoding::kUtf8);
}

bool ForceDirectories(const std::string& folder) {
  return ForceFolderChain(folder, Encoding::kSystemCodePage);
}

void CreateFolderWalk(const std::string& path) {
  for (std::size_t at = 1; at < path.size(); ++at) {
    if (!IsPathDelimiter(path[at]) || IsPathDelimiter(path[at - 1])) continue;
    const std::string folder = path.substr(0, at);
    if (!IsFolder(folder, Encoding::kSystemCodePage) &&
        !CreateFolder(folder, Encoding::kSystemCodePage)) {
      return;
    }
  }
}

}  // namespace platform
