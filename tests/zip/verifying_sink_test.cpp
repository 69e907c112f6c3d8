#include "zip/verifying_sink.h"

#include <gtest/gtest.h>

#include <string>

#include "codec_support.h"
#include "platform/exception.h"
#include "platform/memory_stream.h"
#include "stream_doubles.h"
#include "zip/crc32.h"

namespace zip {
namespace {

using codec_support::BytesOf;

TEST(VerifyingSinkTest, CountsAndTakesTheCrcOfWhatPasses) {
  platform::TMemoryStream output;
  VerifyingSink sink(output, 9);
  sink.WriteBuffer("1234", 4);
  sink.WriteBuffer("56789", 5);
  EXPECT_EQ(sink.Count(), 9);
  EXPECT_EQ(sink.Position(), 9);
  EXPECT_EQ(sink.Crc32(), 0xCBF43926u);
  EXPECT_EQ(std::string(output.Bytes().begin(), output.Bytes().end()), "123456789");
}

TEST(VerifyingSinkTest, NothingPassedHasTheCrcOfNoBytes) {
  platform::TMemoryStream output;
  const VerifyingSink sink(output, 0);
  EXPECT_EQ(sink.Count(), 0);
  EXPECT_EQ(sink.Crc32(), 0u);
}

TEST(VerifyingSinkTest, RefusesAWriteBeyondTheRecordedSizeWithoutWritingAnyOfIt) {
  platform::TMemoryStream output;
  VerifyingSink sink(output, 6);
  sink.WriteBuffer("1234", 4);
  EXPECT_THROW(sink.WriteBuffer("567", 3), VerifyingSink::Overrun);
  EXPECT_EQ(output.Size(), 4);
  EXPECT_EQ(sink.Count(), 4);
  sink.WriteBuffer("56", 2);  // exactly the recorded size is fine
  EXPECT_EQ(sink.Count(), 6);
  EXPECT_THROW(sink.WriteBuffer("7", 1), VerifyingSink::Overrun);
}

TEST(VerifyingSinkTest, CountsOnlyWhatTheOutputTook) {
  testing_streams::FullSink output(3);
  VerifyingSink sink(output, 100);
  EXPECT_THROW(sink.WriteBuffer("12345", 5), platform::EWriteError);
  EXPECT_EQ(sink.Count(), 3);
  EXPECT_EQ(sink.Crc32(), Crc32Of(BytesOf("123")));
}

TEST(VerifyingSinkTest, OnlyAppends) {
  platform::TMemoryStream output;
  VerifyingSink sink(output, 10);
  sink.WriteBuffer("abc", 3);
  EXPECT_EQ(sink.Seek(0, platform::SeekOrigin::kEnd), 3);
  EXPECT_EQ(sink.Seek(3, platform::SeekOrigin::kBeginning), 3);
  EXPECT_THROW(sink.SetPosition(0), platform::EWriteError);
  EXPECT_THROW(sink.Seek(1, platform::SeekOrigin::kCurrent), platform::EWriteError);
  char byte = 0;
  EXPECT_EQ(sink.Read(&byte, 1), 0u);
}

}  // namespace
}  // namespace zip
