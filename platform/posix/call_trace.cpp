#include "platform/call_trace.h"

#include <execinfo.h>

namespace platform {

std::vector<std::uintptr_t> CaptureCallTrace(std::size_t skip, std::size_t max_frames) {
  std::vector<void*> frames(skip + max_frames + 1);
  const int count = backtrace(frames.data(), static_cast<int>(frames.size()));
  std::vector<std::uintptr_t> trace;
  // Frame 0 is CaptureCallTrace itself.
  for (std::size_t i = skip + 1; i < static_cast<std::size_t>(count); ++i) {
    trace.push_back(reinterpret_cast<std::uintptr_t>(frames[i]));
  }
  return trace;
}

}  // namespace platform
