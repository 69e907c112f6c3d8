// NativeFile over POSIX descriptors. The host code page is UTF-8, so both encodings name the
// same bytes and pass unchanged.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/native.h"
#include "platform/posix/host_path.h"
#include "platform/posix/local_time.h"

namespace platform {

static_assert(sizeof(off_t) == sizeof(std::int64_t), "files beyond 2 GiB need a 64-bit off_t");

namespace {

int OpenFlags(FileAccess access) {
  switch (access) {
    case FileAccess::kRead:
      return O_RDONLY;
    case FileAccess::kCreate:
      return O_RDWR | O_CREAT;  // emptied only once the lock is held
    case FileAccess::kCreateNew:
      return O_RDWR | O_CREAT | O_EXCL;
  }
  return O_RDONLY;
}

// Share modes as advisory locks. A writer conflicts with every other opener even when it
// lets others read, as on Windows, where its write access collides with their deny-write.
bool LockAsShared(int descriptor, FileAccess access, FileShare share) {
  const bool shared = share == FileShare::kDenyWrite && access == FileAccess::kRead;
  if (::flock(descriptor, (shared ? LOCK_SH : LOCK_EX) | LOCK_NB) == 0) return true;
  // A file system without locks leaves the file unguarded rather than unopenable.
  return errno != EWOULDBLOCK;
}

int Descriptor(std::intptr_t handle) { return static_cast<int>(handle); }

}  // namespace

NativeFile NativeFile::Open(const std::string& path, Encoding /*encoding*/, FileAccess access,
                            FileShare share) {
  const std::string resolved = posix::ResolvePath(path);
  if (resolved.empty()) return {};
  const int descriptor = ::open(resolved.c_str(), OpenFlags(access) | O_CLOEXEC, 0666);
  if (descriptor < 0) return {};
  NativeFile file(descriptor);
  struct stat info;
  if (::fstat(descriptor, &info) != 0 || S_ISDIR(info.st_mode) ||
      !LockAsShared(descriptor, access, share)) {
    return {};
  }
  // Only a file that holds data is emptied: ext4 takes truncating to zero as the start of a
  // replacement and writes the file back to disk at its close, which would cost every new file.
  if (access == FileAccess::kCreate && S_ISREG(info.st_mode) && info.st_size > 0 &&
      ::ftruncate(descriptor, 0) != 0) {
    return {};
  }
  return file;
}

std::optional<std::size_t> NativeFile::Read(void* buffer, std::size_t count) {
  ssize_t got;
  do {
    got = ::read(Descriptor(handle_), buffer, count);
  } while (got < 0 && errno == EINTR);
  if (got < 0) return std::nullopt;
  return static_cast<std::size_t>(got);
}

std::optional<std::size_t> NativeFile::Write(const void* buffer, std::size_t count) {
  const auto* bytes = static_cast<const unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    const ssize_t put = ::write(Descriptor(handle_), bytes + done, count - done);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0 && done == 0) return std::nullopt;
    if (put <= 0) break;  // the medium took part of it: a short count tells the caller
    done += static_cast<std::size_t>(put);
  }
  return done;
}

std::optional<std::int64_t> NativeFile::Seek(std::int64_t offset, int whence) {
  static_assert(SEEK_SET == 0 && SEEK_CUR == 1 && SEEK_END == 2);
  const off_t position = ::lseek(Descriptor(handle_), offset, whence);
  if (position < 0) return std::nullopt;
  return position;
}

std::optional<TDateTime> NativeFile::LastWriteTime() const {
  struct stat info;
  if (::fstat(Descriptor(handle_), &info) != 0) return std::nullopt;
  return posix::ToLocalDateTime(info.st_mtim);
}

bool NativeFile::Close() {
  if (!IsOpen()) return true;
  const int result = ::close(Descriptor(handle_));
  handle_ = kClosed;
  return result == 0;
}

}  // namespace platform
