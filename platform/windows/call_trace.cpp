#include "platform/call_trace.h"

#include "platform/windows/windows_api.h"

namespace platform {

std::vector<std::uintptr_t> CaptureCallTrace(std::size_t skip, std::size_t max_frames) {
  std::vector<void*> frames(max_frames);
  // Frame 0 is CaptureCallTrace itself.
  const USHORT count = ::RtlCaptureStackBackTrace(
      static_cast<DWORD>(skip + 1), static_cast<DWORD>(max_frames), frames.data(), nullptr);
  std::vector<std::uintptr_t> trace;
  trace.reserve(count);
  for (USHORT i = 0; i < count; ++i) trace.push_back(reinterpret_cast<std::uintptr_t>(frames[i]));
  return trace;
}

}  // namespace platform
