#include "zip/inflate_stream.h"

#include "zip/codec.h"
#include "zip/zlib_settings.h"

namespace zip {

InflateStream::InflateStream(platform::TStream& source) : source_(source), input_(kZlibChunkSize) {
  const int result = inflateInit2(&zstream_, kRawWindowBits);
  if (result != Z_OK) throw ECompressionError(zError(result));
}

InflateStream::~InflateStream() { inflateEnd(&zstream_); }

std::size_t InflateStream::Read(std::span<std::uint8_t> bytes) {
  if (ended_ || bytes.empty()) return 0;
  zstream_.next_out = bytes.data();
  zstream_.avail_out = static_cast<uInt>(bytes.size());
  while (zstream_.avail_out > 0) {
    if (zstream_.avail_in == 0) {
      zstream_.next_in = input_.data();
      zstream_.avail_in = static_cast<uInt>(source_.Read(input_.data(), input_.size()));
    }
    // With the source run dry before the end, zlib can make no progress: Z_BUF_ERROR.
    const int result = inflate(&zstream_, Z_NO_FLUSH);
    if (result == Z_STREAM_END) {
      ended_ = true;
      break;
    }
    if (result != Z_OK) throw EDecompressionError(zError(result));
  }
  return bytes.size() - zstream_.avail_out;
}

}  // namespace zip
