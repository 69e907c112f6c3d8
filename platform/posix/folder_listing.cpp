// Folder listing and entry queries, with Windows attributes described from POSIX modes.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include "platform/native.h"
#include "platform/posix/host_path.h"
#include "platform/posix/local_time.h"

namespace platform {

namespace {

// `name` is looked up in the folder open as `folder` (AT_FDCWD: the current directory).
std::optional<FileInfo> Describe(int folder, const char* name, std::string listed_name) {
  struct stat info;
  if (::fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
  std::uint32_t attributes = 0;
  if (S_ISLNK(info.st_mode)) {
    attributes |= kAttrSymLink;
    struct stat target;
    if (::fstatat(folder, name, &target, 0) == 0 && S_ISDIR(target.st_mode)) {
      attributes |= kAttrDirectory;
    }
  } else if (S_ISDIR(info.st_mode)) {
    attributes |= kAttrDirectory;
  } else if (S_ISREG(info.st_mode)) {
    attributes |= kAttrArchive;
  }
  if ((info.st_mode & S_IWUSR) == 0) attributes |= kAttrReadOnly;
  return FileInfo{std::move(listed_name), attributes, static_cast<std::int64_t>(info.st_size),
                  posix::ToLocalDateTime(info.st_mtim)};
}

bool MatchesEveryName(std::string_view pattern) { return pattern == "*" || pattern == "*.*"; }

}  // namespace

std::vector<FileInfo> ListFolder(const std::string& pattern, Encoding /*encoding*/) {
  const std::string converted = posix::ToPosixSeparators(pattern);
  const std::size_t name_start = converted.rfind('/') + 1;  // 0 when there is no separator
  const std::string_view name_pattern = std::string_view(converted).substr(name_start);
  const std::string folder = posix::ResolvePath(converted.substr(0, name_start));

  std::vector<FileInfo> entries;
  const bool every_name = MatchesEveryName(name_pattern);
  // A name that exists as spelt is the one entry, as ResolvePath takes it; only a name missing
  // as spelt costs a reading of the folder, for its other-case spelling.
  if (!every_name && !name_pattern.empty()) {
    const std::string exact = folder + std::string(name_pattern);
    if (auto info = Describe(AT_FDCWD, exact.c_str(), std::string(name_pattern))) {
      entries.push_back(std::move(*info));
      return entries;
    }
  }
  const posix::DirectoryHandle directory(::opendir(folder.empty() ? "." : folder.c_str()));
  if (!directory) return entries;
  while (const dirent* entry = ::readdir(directory.get())) {
    if (!every_name && !posix::NamesMatch(entry->d_name, name_pattern)) continue;
    // An entry removed since the folder was read is simply not listed.
    if (auto info = Describe(::dirfd(directory.get()), entry->d_name, entry->d_name)) {
      entries.push_back(std::move(*info));
    }
  }
  return entries;
}

std::optional<FileInfo> QueryFile(const std::string& path, Encoding /*encoding*/) {
  const std::string resolved = posix::ResolvePath(path);
  if (resolved.empty()) return std::nullopt;
  std::string_view name = resolved;
  if (name.size() > 1 && name.back() == '/') name.remove_suffix(1);
  name = name.substr(name.rfind('/') + 1);
  return Describe(AT_FDCWD, resolved.c_str(), std::string(name.empty() ? resolved : name));
}

}  // namespace platform
