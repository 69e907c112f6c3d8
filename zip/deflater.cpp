#include "zip/deflater.h"

#include <memory>

#include "zip/deflate_stream.h"

namespace zip {

namespace {

int ZlibLevel(TCompressionLevel level) {
  switch (level) {
    case TCompressionLevel::kNone:
      return Z_NO_COMPRESSION;
    case TCompressionLevel::kFastest:
      return Z_BEST_SPEED;
    case TCompressionLevel::kBest:
      return Z_BEST_COMPRESSION;
    case TCompressionLevel::kDefault:
      break;
  }
  return Z_DEFAULT_COMPRESSION;
}

}  // namespace

TDeflater::TDeflater(platform::TStream& source, platform::TStream& sink, std::uint32_t buffer_size)
    : TCompressor(source, sink, buffer_size) {}

void TDeflater::Compress() {
  StartCrc();
  const auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(BufferSize());
  DeflateStream deflate(Sink(), ZlibLevel(compression_level_));
  // A short read is not the end: only a read that gives nothing is.
  while (const std::size_t got = Source().Read(buffer.get(), BufferSize())) {
    const std::span<const std::uint8_t> chunk(buffer.get(), got);
    UpdateCrc(chunk);
    deflate.Write(chunk);
  }
  deflate.Finish();
  FinishCrc();
}

}  // namespace zip
