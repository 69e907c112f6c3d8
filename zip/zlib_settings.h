// How the library drives zlib: raw deflate data, as zip method 8 stores it.
#pragma once

#include <cstddef>

namespace zip {

// Negative: raw deflate, no zlib header and no Adler-32 trailer; 15: a 32 KiB window.
inline constexpr int kRawWindowBits = -15;
inline constexpr int kMemoryLevel = 8;
// The size of the buffer between a zlib stream and the stream it writes to or reads from.
inline constexpr std::size_t kZlibChunkSize = 16384;

}  // namespace zip
