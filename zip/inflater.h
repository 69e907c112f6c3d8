// The decompressor of zip method 8: raw inflate through zlib.
#pragma once

#include <cstdint>

#include "platform/stream.h"
#include "zip/codec.h"
#include "zip/records.h"

namespace zip {

class TInflater : public TDeCompressor {
 public:
  static constexpr std::uint16_t kMethodCode = kMethodDeflated;

  TInflater(platform::TStream& source, platform::TStream& sink, std::uint32_t buffer_size);

  // Inflates one raw deflate stream from Source's current position into Sink; Crc32 then
  // covers the bytes written. Source is read ahead, so its position afterwards means nothing;
  // bytes after the end of the deflate data are ignored. Damaged data raises
  // EDecompressionError "data error", data cut short "buffer error"; a short write to Sink
  // raises EWriteError.
  void Decompress() override;
  std::uint16_t MethodCode() const override { return kMethodCode; }
};

}  // namespace zip
