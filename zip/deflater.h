// The compressor of zip method 8: raw deflate through zlib.
#pragma once

#include <cstdint>

#include "platform/stream.h"
#include "zip/codec.h"
#include "zip/records.h"

namespace zip {

enum class TCompressionLevel { kNone, kFastest, kDefault, kBest };

class TDeflater : public TCompressor {
 public:
  static constexpr std::uint16_t kMethodCode = kMethodDeflated;

  TDeflater(platform::TStream& source, platform::TStream& sink, std::uint32_t buffer_size);

  // Writes one complete raw deflate stream to Sink from its current position; Crc32 then
  // covers the bytes read. After a failure Sink holds partial output and Crc32 a partial
  // register.
  void Compress() override;
  std::uint16_t MethodCode() const override { return kMethodCode; }

  TCompressionLevel CompressionLevel() const { return compression_level_; }
  void SetCompressionLevel(TCompressionLevel level) { compression_level_ = level; }

 private:
  TCompressionLevel compression_level_ = TCompressionLevel::kDefault;
};

}  // namespace zip
