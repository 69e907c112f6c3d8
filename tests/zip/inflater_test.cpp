#include "zip/inflater.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "codec_support.h"
#include "platform/memory_stream.h"
#include "stream_doubles.h"

namespace zip {
namespace {

using codec_support::kBufferSize;

TEST(InflaterTest, StartsAsDescribed) {
  platform::TMemoryStream source;
  platform::TMemoryStream sink;
  const std::unique_ptr<TDeCompressor> decompressor =
      std::make_unique<TInflater>(source, sink, kBufferSize);
  EXPECT_EQ(decompressor->MethodCode(), 8);
  EXPECT_EQ(TInflater::kMethodCode, 8);
  EXPECT_EQ(&decompressor->Source(), &source);
  EXPECT_EQ(&decompressor->Sink(), &sink);
  EXPECT_EQ(decompressor->Crc32(), 0xFFFFFFFFu);
  EXPECT_EQ(decompressor->BufferSize(), kBufferSize);
  EXPECT_EQ(decompressor->ProgressStep(), 0);
  EXPECT_FALSE(decompressor->OnProgress());
}

void ExpectDecompressionError(const std::vector<std::uint8_t>& compressed, const char* message) {
  platform::TMemoryStream source(compressed);
  platform::TMemoryStream sink;
  TInflater inflater(source, sink, kBufferSize);
  try {
    inflater.Decompress();
    ADD_FAILURE() << "no failure";
  } catch (const EDecompressionError& e) {
    EXPECT_EQ(e.ClassName(), "EDecompressionError");
    EXPECT_EQ(e.Message(), message);
  }
}

TEST(InflaterTest, TruncatedDataFailsWithBufferError) {
  const std::vector<std::uint8_t> text = codec_support::TextBytes(100000, 31);
  const std::vector<std::uint8_t> deflated = codec_support::Deflate(text).bytes;
  for (const std::size_t keep :
       {std::size_t{0}, std::size_t{1}, deflated.size() / 2, deflated.size() - 1}) {
    SCOPED_TRACE(keep);
    ExpectDecompressionError({deflated.begin(), deflated.begin() + static_cast<long>(keep)},
                             "buffer error");
  }
  ExpectDecompressionError({0x03}, "buffer error");
}

TEST(InflaterTest, ReservedBlockTypeFailsWithDataError) {
  ExpectDecompressionError({0x07}, "data error");              // final block, type 3
  ExpectDecompressionError({0x06, 0x00, 0x00}, "data error");  // block type 3
}

TEST(InflaterTest, BytesAfterTheEndNeverReachTheSink) {
  const std::vector<std::uint8_t> trailer = codec_support::RandomBytes(40000, 32);
  for (const std::vector<std::uint8_t>& data :
       {std::vector<std::uint8_t>{}, codec_support::BytesOf("hello"),
        codec_support::TextBytes(70000, 33)}) {
    std::vector<std::uint8_t> stream = codec_support::Deflate(data).bytes;
    stream.insert(stream.end(), trailer.begin(), trailer.end());
    const codec_support::Result result = codec_support::Inflate(stream);
    EXPECT_EQ(result.bytes, data);
    EXPECT_EQ(result.crc, codec_support::ZlibCrc(data));
  }
}

TEST(InflaterTest, InflatesFromTheSourcePosition) {
  const std::vector<std::uint8_t> data = codec_support::TextBytes(5000, 34);
  std::vector<std::uint8_t> stream = codec_support::BytesOf("local header");
  const std::vector<std::uint8_t> deflated = codec_support::Deflate(data).bytes;
  stream.insert(stream.end(), deflated.begin(), deflated.end());
  platform::TMemoryStream source(stream);
  source.SetPosition(12);
  platform::TMemoryStream sink;
  TInflater inflater(source, sink, kBufferSize);
  inflater.Decompress();
  EXPECT_EQ(std::vector<std::uint8_t>(sink.Bytes().begin(), sink.Bytes().end()), data);
}

// Short reads from the source are no end; the source is asked for 16 KiB at a time.
TEST(InflaterTest, ReadsTheSourceInChunks) {
  const std::vector<std::uint8_t> data = codec_support::RandomBytes(100000, 35);
  testing_streams::ChunkedSource source(codec_support::Deflate(data).bytes, 5);
  platform::TMemoryStream sink;
  TInflater inflater(source, sink, kBufferSize);
  inflater.Decompress();
  EXPECT_EQ(std::vector<std::uint8_t>(sink.Bytes().begin(), sink.Bytes().end()), data);
  for (const std::size_t request : source.Requests()) EXPECT_EQ(request, 16384u);
}

TEST(InflaterTest, ProgressSettingsHaveNoEffect) {
  const std::vector<std::uint8_t> data = codec_support::TextBytes(300000, 36);
  platform::TMemoryStream source(codec_support::Deflate(data).bytes);
  platform::TMemoryStream sink;
  TInflater inflater(source, sink, kBufferSize);
  int calls = 0;
  inflater.SetProgressStep(1);
  inflater.SetOnProgress([&calls](double) { ++calls; });
  inflater.Decompress();
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(std::vector<std::uint8_t>(sink.Bytes().begin(), sink.Bytes().end()), data);
  EXPECT_EQ(inflater.Crc32(), codec_support::ZlibCrc(data));
}

TEST(InflaterTest, AFullSinkFailsWithStreamWriteError) {
  platform::TMemoryStream source(
      codec_support::Deflate(codec_support::TextBytes(100000, 37)).bytes);
  testing_streams::FullSink sink(20000);
  TInflater inflater(source, sink, kBufferSize);
  try {
    inflater.Decompress();
    FAIL() << "no failure";
  } catch (const platform::EWriteError& e) {
    EXPECT_EQ(e.Message(), "Stream write error");
  }
}

TEST(InflaterTest, NoBufferIsRefused) {
  platform::TMemoryStream source;
  platform::TMemoryStream sink;
  EXPECT_THROW(TInflater(source, sink, 0), EDecompressionError);
}

}  // namespace
}  // namespace zip
