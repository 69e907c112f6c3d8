#include "zip/inflater.h"

#include <memory>

#include "zip/inflate_stream.h"

namespace zip {

TInflater::TInflater(platform::TStream& source, platform::TStream& sink, std::uint32_t buffer_size)
    : TDeCompressor(source, sink, buffer_size) {}

void TInflater::Decompress() {
  StartCrc();
  const auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(BufferSize());
  InflateStream inflate(Source());
  while (const std::size_t got = inflate.Read({buffer.get(), BufferSize()})) {
    const std::span<const std::uint8_t> chunk(buffer.get(), got);
    UpdateCrc(chunk);
    Sink().WriteBuffer(chunk.data(), chunk.size());
  }
  FinishCrc();
}

}  // namespace zip
