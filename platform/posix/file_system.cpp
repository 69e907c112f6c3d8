// Changes to folders and entries, each on the path resolved by Windows rules.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "platform/native.h"
#include "platform/posix/host_path.h"
#include "platform/posix/local_time.h"

namespace platform {

bool CreateFolder(const std::string& path, Encoding /*encoding*/) {
  const std::string resolved = posix::ResolvePath(path);
  return !resolved.empty() && ::mkdir(resolved.c_str(), 0777) == 0;
}

bool RemoveEmptyFolder(const std::string& path, Encoding /*encoding*/) {
  const std::string resolved = posix::ResolvePath(path);
  return !resolved.empty() && ::rmdir(resolved.c_str()) == 0;
}

bool DeleteFileEntry(const std::string& path, Encoding /*encoding*/) {
  const std::string resolved = posix::ResolvePath(path);
  return !resolved.empty() && ::unlink(resolved.c_str()) == 0;
}

bool ReplaceFileAtomically(const std::string& from, const std::string& to, Encoding /*encoding*/) {
  const std::string source = posix::ResolvePath(from);
  const std::string target = posix::ResolvePath(to);
  return !source.empty() && !target.empty() && std::rename(source.c_str(), target.c_str()) == 0;
}

bool SetLastWriteTime(const std::string& path, Encoding /*encoding*/, TDateTime local_time) {
  const std::string resolved = posix::ResolvePath(path);
  const std::optional<timespec> modified = posix::FromLocalDateTime(local_time);
  if (resolved.empty() || !modified) return false;
  const timespec times[2] = {{0, UTIME_OMIT}, *modified};
  return ::utimensat(AT_FDCWD, resolved.c_str(), times, 0) == 0;
}

}  // namespace platform
