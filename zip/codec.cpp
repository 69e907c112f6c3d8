#include "zip/codec.h"

#include "zip/crc32.h"

namespace zip {

namespace {
// A run with no room to read into would end at once and pass an empty result off as whole.
constexpr char kNoBuffer[] = "Invalid buffer size 0";
}  // namespace

TCodec::TCodec(platform::TStream& source, platform::TStream& sink, std::uint32_t buffer_size)
    : source_(source), sink_(sink), crc32_(kCrc32Initial), buffer_size_(buffer_size) {}

void TCodec::StartCrc() { crc32_ = kCrc32Initial; }

void TCodec::UpdateCrc(std::span<const std::uint8_t> bytes) { crc32_ = Crc32Update(crc32_, bytes); }

void TCodec::FinishCrc() { crc32_ = ~crc32_; }

TCompressor::TCompressor(platform::TStream& source, platform::TStream& sink,
                         std::uint32_t buffer_size)
    : TCodec(source, sink, buffer_size) {
  if (buffer_size == 0) throw ECompressionError(kNoBuffer);
}

TDeCompressor::TDeCompressor(platform::TStream& source, platform::TStream& sink,
                             std::uint32_t buffer_size)
    : TCodec(source, sink, buffer_size) {
  if (buffer_size == 0) throw EDecompressionError(kNoBuffer);
}

}  // namespace zip
