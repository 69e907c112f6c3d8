// Return addresses of the calling frames, innermost first, as far as the host can tell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// Skips `skip` frames above the caller of CaptureCallTrace; keeps at most `max_frames`.
std::vector<std::uintptr_t> CaptureCallTrace(std::size_t skip, std::size_t max_frames);

}  // namespace platform
