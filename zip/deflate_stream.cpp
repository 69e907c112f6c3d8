#include "zip/deflate_stream.h"

#include "zip/codec.h"
#include "zip/zlib_settings.h"

namespace zip {

namespace {

int Check(int result) {
  if (result < 0) throw ECompressionError(zError(result));
  return result;
}

}  // namespace

DeflateStream::DeflateStream(platform::TStream& sink, int level)
    : sink_(sink), output_(kZlibChunkSize) {
  Check(
      deflateInit2(&zstream_, level, Z_DEFLATED, kRawWindowBits, kMemoryLevel, Z_DEFAULT_STRATEGY));
  zstream_.next_out = output_.data();
  zstream_.avail_out = static_cast<uInt>(output_.size());
}

DeflateStream::~DeflateStream() { deflateEnd(&zstream_); }

void DeflateStream::Write(std::span<const std::uint8_t> bytes) {
  zstream_.next_in = bytes.data();
  zstream_.avail_in = static_cast<uInt>(bytes.size());
  while (zstream_.avail_in > 0) {
    Check(deflate(&zstream_, Z_NO_FLUSH));
    if (zstream_.avail_out == 0) FlushOutput();
  }
}

void DeflateStream::Finish() {
  int result = Z_OK;
  while (result != Z_STREAM_END) {
    result = Check(deflate(&zstream_, Z_FINISH));
    if (zstream_.avail_out == 0 || result == Z_STREAM_END) FlushOutput();
  }
}

void DeflateStream::FlushOutput() {
  const std::size_t filled = output_.size() - zstream_.avail_out;
  if (filled > 0) sink_.WriteBuffer(output_.data(), filled);
  zstream_.next_out = output_.data();
  zstream_.avail_out = static_cast<uInt>(output_.size());
}

}  // namespace zip
