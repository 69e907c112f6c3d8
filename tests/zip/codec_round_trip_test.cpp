// Deflating then inflating, with zlib as the peer on each side.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "codec_support.h"

namespace zip {
namespace {

using codec_support::Deflate;
using codec_support::Inflate;

struct RoundTripCase {
  const char* name;
  std::vector<std::uint8_t> data;
};

class CodecRoundTripTest : public testing::TestWithParam<RoundTripCase> {};

TEST_P(CodecRoundTripTest, GivesBackTheBytesAndTheCrcOnBothSides) {
  const std::vector<std::uint8_t>& data = GetParam().data;
  const std::uint32_t expected_crc = codec_support::ZlibCrc(data);

  const codec_support::Result deflated = Deflate(data);
  EXPECT_EQ(deflated.crc, expected_crc);
  // Raw deflate as zlib reads it: no header, no trailer, nothing after the end.
  EXPECT_EQ(codec_support::ZlibInflateRaw(deflated.bytes, data.size()), data);

  const codec_support::Result inflated = Inflate(deflated.bytes);
  EXPECT_EQ(inflated.bytes, data);
  EXPECT_EQ(inflated.crc, expected_crc);

  const codec_support::Result from_zlib = Inflate(codec_support::ZlibDeflateRaw(data));
  EXPECT_EQ(from_zlib.bytes, data);
  EXPECT_EQ(from_zlib.crc, expected_crc);
}

constexpr std::size_t kMiB = 1024 * 1024;

INSTANTIATE_TEST_SUITE_P(
    Sources, CodecRoundTripTest,
    testing::Values(RoundTripCase{"Empty", {}}, RoundTripCase{"OneByte", {0x41}},
                    RoundTripCase{"Tiny", codec_support::BytesOf("hello, hello, hello")},
                    RoundTripCase{"Random1MiB", codec_support::RandomBytes(kMiB, 11)},
                    RoundTripCase{"Text1MiB", codec_support::TextBytes(kMiB, 12)},
                    RoundTripCase{"Zeros1MiB", std::vector<std::uint8_t>(kMiB)}),
    [](const testing::TestParamInfo<RoundTripCase>& test) { return std::string(test.param.name); });

// Work buffers that end exactly at, or just short of, the end of the data.
TEST(CodecRoundTripTest, AnyBufferSizeGivesTheSameResult) {
  const std::vector<std::uint8_t> data = codec_support::TextBytes(50000, 13);
  const std::vector<std::uint8_t> deflated = Deflate(data).bytes;
  for (const std::uint32_t buffer_size : {1u, 3u, 1000u, 50000u, 49999u, 100000u}) {
    const codec_support::Result deflated_again = Deflate(data, buffer_size);
    EXPECT_EQ(codec_support::ZlibInflateRaw(deflated_again.bytes, data.size()), data)
        << buffer_size;
    EXPECT_EQ(deflated_again.crc, codec_support::ZlibCrc(data)) << buffer_size;
    const codec_support::Result inflated = Inflate(deflated, buffer_size);
    EXPECT_EQ(inflated.bytes, data) << buffer_size;
    EXPECT_EQ(inflated.crc, codec_support::ZlibCrc(data)) << buffer_size;
  }
}

}  // namespace
}  // namespace zip
