// A raw deflate stream over zlib that writes its output into a sink stream.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include <zlib.h>

#include "platform/stream.h"

namespace zip {

class DeflateStream {
 public:
  // Raises ECompressionError with zlib's text when zlib cannot start the stream.
  DeflateStream(platform::TStream& sink, int level);
  DeflateStream(const DeflateStream&) = delete;
  DeflateStream& operator=(const DeflateStream&) = delete;
  ~DeflateStream();

  // Takes the bytes whole (less than 4 GiB at a time); each full output buffer goes to the
  // sink as it fills.
  void Write(std::span<const std::uint8_t> bytes);
  // Ends the deflate data and writes what is left of it to the sink.
  void Finish();

 private:
  void FlushOutput();

  platform::TStream& sink_;
  std::vector<std::uint8_t> output_;
  z_stream zstream_{};
};

}  // namespace zip
