// A raw inflate stream over zlib that reads its input from a source stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include <zlib.h>

#include "platform/stream.h"

namespace zip {

class InflateStream {
 public:
  // Raises ECompressionError with zlib's text when zlib cannot start the stream.
  explicit InflateStream(platform::TStream& source);
  InflateStream(const InflateStream&) = delete;
  InflateStream& operator=(const InflateStream&) = delete;
  ~InflateStream();

  // Fills `bytes` (less than 4 GiB) and gives the count; fewer only at the end of the deflate
  // data, after which every read gives 0. The source is read ahead in whole chunks, so it may
  // stand past the end of the deflate data; what follows that end is never inflated. Damaged
  // data raises EDecompressionError "data error", data cut short "buffer error".
  std::size_t Read(std::span<std::uint8_t> bytes);

 private:
  platform::TStream& source_;
  std::vector<std::uint8_t> input_;
  z_stream zstream_{};
  bool ended_ = false;
};

}  // namespace zip
