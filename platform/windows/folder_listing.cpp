// Folder listing and entry queries through the system's directory search.
#include "platform/windows/folder_listing.h"

#include "platform/path.h"
#include "platform/windows/file_time.h"
#include "platform/windows/handles.h"
#include "platform/windows/path_call.h"

namespace platform {

namespace {

constexpr DWORD kSharedAttributeBits = 0x3F;  // read-only to archive, as FileAttribute has them

std::int64_t Size(DWORD high, DWORD low) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
}

std::string NameOf(const WIN32_FIND_DATAA& found) { return found.cFileName; }
std::string NameOf(const WIN32_FIND_DATAW& found) { return windows::WideToUtf8(found.cFileName); }

template <typename FindData>
FileInfo Describe(const FindData& found) {
  return FileInfo{NameOf(found), windows::ToFileAttributes(found.dwFileAttributes),
                  Size(found.nFileSizeHigh, found.nFileSizeLow),
                  windows::ToLocalDateTime(found.ftLastWriteTime)};
}

template <typename FindData, typename Char, typename FindFirst, typename FindNext>
std::vector<FileInfo> Search(const Char* pattern, FindFirst find_first, FindNext find_next) {
  std::vector<FileInfo> entries;
  FindData found;
  const windows::SearchHandle search(windows::NullWhenInvalid(find_first(pattern, &found)));
  if (!search) return entries;
  do {
    entries.push_back(Describe(found));
  } while (find_next(search.get(), &found));
  return entries;
}

// `path` without trailing delimiters, unless that would leave no more than its root.
std::string WithoutTrailingDelimiters(const std::string& path) {
  std::size_t end = path.size();
  while (end > PathRootLength(path) && IsPathDelimiter(path[end - 1])) --end;
  return path.substr(0, end);
}

}  // namespace

// "*" and "*.*" match every name in the system's own search, and any other name only
// itself, without regard to case.
std::vector<FileInfo> ListFolder(const std::string& pattern, Encoding encoding) {
  return windows::CallWithPath(
      pattern, encoding,
      [](const char* name) {
        return Search<WIN32_FIND_DATAA>(name, ::FindFirstFileA, ::FindNextFileA);
      },
      [](const wchar_t* name) {
        return Search<WIN32_FIND_DATAW>(name, ::FindFirstFileW, ::FindNextFileW);
      });
}

namespace windows {

std::uint32_t ToFileAttributes(DWORD system_attributes) {
  std::uint32_t attributes = system_attributes & kSharedAttributeBits;
  if ((system_attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) attributes |= kAttrSymLink;
  return attributes;
}

std::optional<std::string> StoredName(const std::string& path, Encoding encoding) {
  const std::string entry = WithoutTrailingDelimiters(path);
  if (entry.size() <= PathRootLength(entry)) return std::nullopt;
  std::vector<FileInfo> found = ListFolder(entry, encoding);
  if (found.size() != 1) return std::nullopt;
  return std::move(found.front().name);
}

}  // namespace windows

// The attribute query looks at the entry itself: a link is not followed.
std::optional<FileInfo> QueryFile(const std::string& path, Encoding encoding) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  const bool found = windows::CallWithPath(
      path, encoding,
      [&](const char* name) {
        return ::GetFileAttributesExA(name, GetFileExInfoStandard, &data) != FALSE;
      },
      [&](const wchar_t* name) {
        return ::GetFileAttributesExW(name, GetFileExInfoStandard, &data) != FALSE;
      });
  if (!found) return std::nullopt;
  std::string name = windows::StoredName(path, encoding)
                         .value_or(ExtractFileName(WithoutTrailingDelimiters(path)));
  if (name.empty()) name = path;  // a root
  return FileInfo{std::move(name), windows::ToFileAttributes(data.dwFileAttributes),
                  Size(data.nFileSizeHigh, data.nFileSizeLow),
                  windows::ToLocalDateTime(data.ftLastWriteTime)};
}

}  // namespace platform
