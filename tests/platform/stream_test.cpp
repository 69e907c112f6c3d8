#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "platform/exception.h"
#include "platform/memory_stream.h"

namespace platform {
namespace {

std::vector<std::uint8_t> Counting(std::size_t n) {
  std::vector<std::uint8_t> data(n);
  std::iota(data.begin(), data.end(), std::uint8_t{0});
  return data;
}

TEST(StreamTest, ReadBufferFailsWhenFewerBytesArrive) {
  TMemoryStream stream(Counting(10));
  std::uint8_t buffer[16];
  stream.ReadBuffer(buffer, 4);
  EXPECT_EQ(buffer[3], 3);
  try {
    stream.ReadBuffer(buffer, 7);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.ClassName(), "EReadError");
    EXPECT_STREQ(e.what(), "Stream read error");
    EXPECT_NE(e.Address(), 0u);
  }
}

TEST(StreamTest, CopyFromZeroCopiesTheWholeSourceFromItsStart) {
  TMemoryStream source(Counting(300'000));
  source.SetPosition(1234);
  TMemoryStream sink;
  EXPECT_EQ(sink.CopyFrom(source, 0), 300'000);
  EXPECT_TRUE(std::ranges::equal(sink.Bytes(), source.Bytes()));
}

TEST(StreamTest, CopyFromCountStartsAtTheCurrentPosition) {
  TMemoryStream source(Counting(100));
  source.SetPosition(90);
  TMemoryStream sink;
  sink.CopyFrom(source, 5);
  EXPECT_EQ(sink.Size(), 5);
  EXPECT_EQ(sink.Bytes()[0], 90);
  EXPECT_THROW(sink.CopyFrom(source, 6), EReadError);
}

TEST(StreamTest, MemoryStreamSeeksAndGrows) {
  TMemoryStream stream;
  stream.WriteBuffer("abc", 3);
  EXPECT_EQ(stream.Seek(0, SeekOrigin::kEnd), 3);
  stream.SetPosition(1);
  stream.WriteBuffer("XYZ", 3);
  EXPECT_EQ(stream.Size(), 4);
  EXPECT_EQ(std::string(stream.Bytes().begin(), stream.Bytes().end()), "aXYZ");
}

}  // namespace
}  // namespace platform
