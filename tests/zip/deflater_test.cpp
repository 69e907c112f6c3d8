#include "zip/deflater.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "codec_support.h"
#include "platform/memory_stream.h"
#include "stream_doubles.h"

namespace zip {
namespace {

using codec_support::kBufferSize;

TEST(DeflaterTest, StartsAsDescribed) {
  platform::TMemoryStream source;
  platform::TMemoryStream sink;
  const std::unique_ptr<TCompressor> compressor =
      std::make_unique<TDeflater>(source, sink, kBufferSize);
  EXPECT_EQ(compressor->MethodCode(), 8);
  EXPECT_EQ(TDeflater::kMethodCode, 8);
  EXPECT_EQ(&compressor->Source(), &source);
  EXPECT_EQ(&compressor->Sink(), &sink);
  EXPECT_EQ(compressor->Crc32(), 0xFFFFFFFFu);
  EXPECT_EQ(compressor->BufferSize(), kBufferSize);
  EXPECT_EQ(compressor->ProgressStep(), 0);
  EXPECT_FALSE(compressor->OnProgress());
  EXPECT_EQ(static_cast<TDeflater&>(*compressor).CompressionLevel(), TCompressionLevel::kDefault);
}

TEST(DeflaterTest, EmptySourceGivesTheTwoBytesOfAnEmptyStream) {
  const codec_support::Result result = codec_support::Deflate({});
  EXPECT_EQ(result.bytes, (std::vector<std::uint8_t>{0x03, 0x00}));
  EXPECT_EQ(result.crc, 0u);
}

TEST(DeflaterTest, CompressesFromTheSourcePositionAndWritesFromTheSinkPosition) {
  const std::vector<std::uint8_t> data = codec_support::TextBytes(1000, 21);
  const std::vector<std::uint8_t> rest(data.begin() + 400, data.end());
  platform::TMemoryStream source(data);
  source.SetPosition(400);
  platform::TMemoryStream sink(codec_support::BytesOf("HEAD"));
  sink.SetPosition(4);

  TDeflater deflater(source, sink, kBufferSize);
  deflater.Compress();

  EXPECT_EQ(deflater.Crc32(), codec_support::ZlibCrc(rest));
  const auto written = sink.Bytes();
  ASSERT_GE(written.size(), 4u);
  EXPECT_EQ(std::vector<std::uint8_t>(written.begin(), written.begin() + 4),
            codec_support::BytesOf("HEAD"));
  EXPECT_EQ(codec_support::ZlibInflateRaw(written.subspan(4), rest.size()), rest);
}

// Only a read that gives nothing ends the input; the output leaves in whole 16 KiB chunks.
TEST(DeflaterTest, ReadsUntilNothingComesAndWritesFullChunks) {
  const std::vector<std::uint8_t> data = codec_support::RandomBytes(200000, 22);
  testing_streams::ChunkedSource source(data, 7);
  testing_streams::RecordingSink sink;
  TDeflater deflater(source, sink, kBufferSize);
  deflater.Compress();

  EXPECT_EQ(codec_support::ZlibInflateRaw(sink.Bytes(), data.size()), data);
  EXPECT_EQ(deflater.Crc32(), codec_support::ZlibCrc(data));
  for (const std::size_t request : source.Requests()) EXPECT_EQ(request, kBufferSize);
  const std::vector<std::size_t>& writes = sink.Writes();
  ASSERT_GT(writes.size(), 1u);
  for (std::size_t i = 0; i + 1 < writes.size(); ++i) EXPECT_EQ(writes[i], 16384u) << i;
  EXPECT_GT(writes.back(), 0u);
  EXPECT_LE(writes.back(), 16384u);
}

TEST(DeflaterTest, LevelsMapToZlibLevels) {
  const std::vector<std::uint8_t> text = codec_support::TextBytes(200000, 23);
  std::vector<std::size_t> sizes;
  for (const TCompressionLevel level : {TCompressionLevel::kNone, TCompressionLevel::kFastest,
                                        TCompressionLevel::kDefault, TCompressionLevel::kBest}) {
    platform::TMemoryStream source(text);
    platform::TMemoryStream sink;
    TDeflater deflater(source, sink, kBufferSize);
    deflater.SetCompressionLevel(level);
    deflater.Compress();
    EXPECT_EQ(codec_support::ZlibInflateRaw(sink.Bytes(), text.size()), text);
    sizes.push_back(sink.Bytes().size());
    if (level == TCompressionLevel::kNone) {
      EXPECT_EQ(sink.Bytes()[0] & 0x06, 0) << "level none stores its blocks";
    }
  }
  EXPECT_GT(sizes[0], text.size());
  EXPECT_LT(sizes[1], sizes[0]);
  EXPECT_LT(sizes[2], sizes[1]);
  EXPECT_LE(sizes[3], sizes[2]);
}

TEST(DeflaterTest, ProgressSettingsHaveNoEffect) {
  const std::vector<std::uint8_t> data = codec_support::TextBytes(300000, 24);
  platform::TMemoryStream source(data);
  platform::TMemoryStream sink;
  TDeflater deflater(source, sink, kBufferSize);
  int calls = 0;
  deflater.SetProgressStep(1);
  deflater.SetOnProgress([&calls](double) { ++calls; });
  deflater.Compress();

  const codec_support::Result plain = codec_support::Deflate(data);
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(std::vector<std::uint8_t>(sink.Bytes().begin(), sink.Bytes().end()), plain.bytes);
  EXPECT_EQ(deflater.Crc32(), plain.crc);
}

TEST(DeflaterTest, AFullSinkFailsWithStreamWriteError) {
  platform::TMemoryStream source(codec_support::RandomBytes(100000, 25));
  testing_streams::FullSink sink(20000);
  TDeflater deflater(source, sink, kBufferSize);
  try {
    deflater.Compress();
    FAIL() << "no failure";
  } catch (const platform::EWriteError& e) {
    EXPECT_EQ(e.Message(), "Stream write error");
  }
}

TEST(DeflaterTest, NoBufferIsRefused) {
  platform::TMemoryStream source;
  platform::TMemoryStream sink;
  EXPECT_THROW(TDeflater(source, sink, 0), ECompressionError);
}

}  // namespace
}  // namespace zip
