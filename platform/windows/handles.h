// Owners of system handles, each closed by the function its kind needs.
#pragma once

#include <memory>

#include "platform/windows/windows_api.h"

namespace platform::windows {

struct HandleCloser {
  void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
// A kernel object handle; null when there is none.
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

struct SearchCloser {
  void operator()(HANDLE search) const { ::FindClose(search); }
};
// A directory search; null when the search found nothing.
using SearchHandle = std::unique_ptr<void, SearchCloser>;

// CreateFile and FindFirstFile report failure as INVALID_HANDLE_VALUE, not null.
inline HANDLE NullWhenInvalid(HANDLE handle) {
  return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

}  // namespace platform::windows
