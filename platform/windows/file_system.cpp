// Changes to folders and entries.
#include "platform/native.h"
#include "platform/path.h"
#include "platform/windows/file_time.h"
#include "platform/windows/folder_listing.h"
#include "platform/windows/handles.h"
#include "platform/windows/path_call.h"

namespace platform {

namespace {

DWORD Attributes(const std::string& path, Encoding encoding) {
  return windows::CallWithPath(path, encoding, ::GetFileAttributesA, ::GetFileAttributesW);
}

}  // namespace

bool CreateFolder(const std::string& path, Encoding encoding) {
  return windows::CallWithPath(
      path, encoding, [](const char* name) { return ::CreateDirectoryA(name, nullptr) != FALSE; },
      [](const wchar_t* name) { return ::CreateDirectoryW(name, nullptr) != FALSE; });
}

bool RemoveEmptyFolder(const std::string& path, Encoding encoding) {
  return windows::CallWithPath(path, encoding, ::RemoveDirectoryA, ::RemoveDirectoryW) != FALSE;
}

// A link to a folder is removed as an empty folder is, which takes the link and never what
// it points to; the system deletes a link to a file as any file.
bool DeleteFileEntry(const std::string& path, Encoding encoding) {
  const DWORD attributes = Attributes(path, encoding);
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 && RemoveEmptyFolder(path, encoding);
  }
  return windows::CallWithPath(path, encoding, ::DeleteFileA, ::DeleteFileW) != FALSE;
}

// A target that exists in another case keeps its stored spelling, as on every host.
bool ReplaceFileAtomically(const std::string& from, const std::string& to, Encoding encoding) {
  std::string target = to;
  if (const std::optional<std::string> stored = windows::StoredName(to, encoding)) {
    target = ExtractFilePath(to) + *stored;
  }
  constexpr DWORD kFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  return windows::CallWithPaths(
      from, target, encoding,
      [](const char* source, const char* destination) {
        return ::MoveFileExA(source, destination, kFlags) != FALSE;
      },
      [](const wchar_t* source, const wchar_t* destination) {
        return ::MoveFileExW(source, destination, kFlags) != FALSE;
      });
}

bool SetLastWriteTime(const std::string& path, Encoding encoding, TDateTime local_time) {
  const std::optional<FILETIME> written = windows::FromLocalDateTime(local_time);
  if (!written) return false;
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  // Backup semantics let a folder be opened too.
  const windows::UniqueHandle entry(windows::NullWhenInvalid(windows::CallWithPath(
      path, encoding,
      [](const char* name) {
        return ::CreateFileA(name, FILE_WRITE_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS, nullptr);
      },
      [](const wchar_t* name) {
        return ::CreateFileW(name, FILE_WRITE_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS, nullptr);
      })));
  return entry && ::SetFileTime(entry.get(), nullptr, nullptr, &*written) != FALSE;
}

}  // namespace platform
