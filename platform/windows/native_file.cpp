// NativeFile over file handles: the ANSI functions for system-code-page paths, the wide ones
// for UTF-8 paths. The share modes are the system's own and bind every opener.
#include <algorithm>

#include "platform/native.h"
#include "platform/windows/file_time.h"
#include "platform/windows/path_call.h"
#include "platform/windows/windows_api.h"

namespace platform {

namespace {

// Very large single transfers fail on some network shares; the data go in pieces instead.
constexpr std::size_t kMaxTransfer = 8u << 20;

HANDLE Handle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

DWORD DesiredAccess(FileAccess access) {
  return access == FileAccess::kRead ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
}

DWORD Disposition(FileAccess access) {
  switch (access) {
    case FileAccess::kRead:
      return OPEN_EXISTING;
    case FileAccess::kCreate:
      return CREATE_ALWAYS;
    case FileAccess::kCreateNew:
      return CREATE_NEW;
  }
  return OPEN_EXISTING;
}

DWORD ShareMode(FileShare share) { return share == FileShare::kDenyWrite ? FILE_SHARE_READ : 0; }

}  // namespace

static_assert(sizeof(std::intptr_t) == sizeof(HANDLE));

// Without FILE_FLAG_BACKUP_SEMANTICS the system refuses to open a folder.
NativeFile NativeFile::Open(const std::string& path, Encoding encoding, FileAccess access,
                            FileShare share) {
  const DWORD desired = DesiredAccess(access);
  const DWORD sharing = ShareMode(share);
  const DWORD disposition = Disposition(access);
  const HANDLE handle = windows::CallWithPath(
      path, encoding,
      [&](const char* name) {
        return ::CreateFileA(name, desired, sharing, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
      },
      [&](const wchar_t* name) {
        return ::CreateFileW(name, desired, sharing, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
      });
  if (handle == INVALID_HANDLE_VALUE) return {};
  return NativeFile(reinterpret_cast<std::intptr_t>(handle));
}

std::optional<std::size_t> NativeFile::Read(void* buffer, std::size_t count) {
  DWORD got = 0;
  const auto asked = static_cast<DWORD>(std::min(count, kMaxTransfer));
  if (!::ReadFile(Handle(handle_), buffer, asked, &got, nullptr)) return std::nullopt;
  return got;
}

std::optional<std::size_t> NativeFile::Write(const void* buffer, std::size_t count) {
  const auto* bytes = static_cast<const unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    DWORD put = 0;
    const auto piece = static_cast<DWORD>(std::min(count - done, kMaxTransfer));
    if (!::WriteFile(Handle(handle_), bytes + done, piece, &put, nullptr)) {
      if (done == 0) return std::nullopt;
      break;  // the medium took part of it: a short count tells the caller
    }
    if (put == 0) break;
    done += put;
  }
  return done;
}

std::optional<std::int64_t> NativeFile::Seek(std::int64_t offset, int whence) {
  static_assert(FILE_BEGIN == 0 && FILE_CURRENT == 1 && FILE_END == 2);
  LARGE_INTEGER distance;
  distance.QuadPart = offset;
  LARGE_INTEGER position;
  if (!::SetFilePointerEx(Handle(handle_), distance, &position, static_cast<DWORD>(whence))) {
    return std::nullopt;
  }
  return position.QuadPart;
}

std::optional<TDateTime> NativeFile::LastWriteTime() const {
  FILETIME written;
  if (!::GetFileTime(Handle(handle_), nullptr, nullptr, &written)) return std::nullopt;
  return windows::ToLocalDateTime(written);
}

bool NativeFile::Close() {
  if (!IsOpen()) return true;
  const BOOL closed = ::CloseHandle(Handle(handle_));
  handle_ = kClosed;
  return closed != FALSE;
}

}  // namespace platform
