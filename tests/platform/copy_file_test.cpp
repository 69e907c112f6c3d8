#include <gtest/gtest.h>

#include <chrono>

#include "platform/exception.h"
#include "platform/file_operations.h"
#include "platform/file_stream.h"
#include "platform/native.h"
#include "tests/platform/scratch_folder.h"

namespace platform {
namespace {

using testing::NamesIn;
using testing::ReadTextFile;
using testing::ScratchFolder;
using testing::WriteTextFile;
using Names = std::vector<std::string>;

std::string Pattern(std::size_t size) {
  std::string data(size, '\0');
  for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return data;
}

class CopyFileTest : public ::testing::Test {
 protected:
  std::string Source() const { return folder_ / "source.bin"; }
  std::string Destination() const { return folder_ / "destination.bin"; }
  ScratchFolder folder_;
};

TEST_F(CopyFileTest, CopiesEveryByteAndLeavesNothingElse) {
  for (const std::size_t size : {0u, 1u, 4096u, 4097u, 100'000u}) {
    WriteTextFile(Source(), Pattern(size));
    WriteTextFile(Destination(), "an old destination that is longer than some sources");
    EXPECT_TRUE(CopyFileContents(Source(), Destination(), kCopyOverwrite));
    EXPECT_EQ(ReadTextFile(Destination()), Pattern(size)) << size;
    EXPECT_EQ(NamesIn(folder_.Path()), (Names{"destination.bin", "source.bin"}));
  }
}

TEST_F(CopyFileTest, ADestinationInAnotherCaseIsReplacedInPlace) {
  WriteTextFile(Source(), "new");
  WriteTextFile(Destination(), "old");
  EXPECT_TRUE(CopyFileContents(Source(), folder_ / "DESTINATION.BIN", kCopyOverwrite));
  EXPECT_EQ(NamesIn(folder_.Path()), (Names{"destination.bin", "source.bin"}));
  EXPECT_EQ(ReadTextFile(Destination()), "new");
}

TEST_F(CopyFileTest, AFileThatHoldsTheTemporaryNameIsNeverTouched) {
  WriteTextFile(Source(), "new");
  const std::string taken = Destination() + ".~0.tmp";
  WriteTextFile(taken, "left by someone else");
  EXPECT_TRUE(CopyFileContents(Source(), Destination(), kCopyOverwrite));
  EXPECT_EQ(ReadTextFile(Destination()), "new");
  EXPECT_EQ(ReadTextFile(taken), "left by someone else");
  EXPECT_EQ(NamesIn(folder_.Path()).size(), 3u);
}

TEST_F(CopyFileTest, WithoutOverwriteAnExistingDestinationStays) {
  WriteTextFile(Source(), "new");
  EXPECT_TRUE(CopyFileContents(Source(), Destination(), 0));
  EXPECT_EQ(ReadTextFile(Destination()), "new");
  WriteTextFile(Source(), "newer");
  EXPECT_FALSE(CopyFileContents(Source(), folder_ / "DESTINATION.bin", 0));
  EXPECT_EQ(ReadTextFile(Destination()), "new");
}

TEST_F(CopyFileTest, CreatesTheDestinationsFolderOnlyWhenAsked) {
  WriteTextFile(Source(), "data");
  const std::string nested = folder_ / "a\\b\\copy.bin";
  try {
    CopyFileContents(Source(), nested, kCopyOverwrite);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Unable to create file \"" + nested + "\"");
  }
  EXPECT_TRUE(CopyFileContents(Source(), nested, kCopyOverwrite | kCopyCreateFolder));
  EXPECT_EQ(ReadTextFile(folder_.Path() / "a" / "b" / "copy.bin"), "data");

  WriteTextFile(folder_.Path() / "blocker", "");
  EXPECT_FALSE(CopyFileContents(Source(), folder_ / "blocker\\copy.bin", kCopyCreateFolder));
}

TEST_F(CopyFileTest, TheTimeFlagCarriesTheSourcesModificationTime) {
  WriteTextFile(Source(), "dated");
  const TDateTime moment = EncodeDate(2003, 4, 5) + EncodeTime(6, 7, 8, 0);
  ASSERT_TRUE(SetLastWriteTime(Source(), Encoding::kUtf8, moment));
  ASSERT_TRUE(CopyFileContents(Source(), Destination(), kCopyOverwrite | kCopyKeepTime));
  EXPECT_NEAR(QueryFile(Destination(), Encoding::kUtf8)->last_write, moment, 1e-8);

  ASSERT_TRUE(CopyFileContents(Source(), Destination(), kCopyOverwrite));
  EXPECT_GT(QueryFile(Destination(), Encoding::kUtf8)->last_write, moment + 365);
}

TEST_F(CopyFileTest, AMissingSourceFailsAfterThreeAttemptsTenMillisecondsApart) {
  const auto start = std::chrono::steady_clock::now();
  try {
    CopyFileContents(Source(), Destination(), kCopyOverwrite);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.ClassName(), "EFOpenError");
    EXPECT_EQ(e.Message(), "Unable to open file \"" + Source() + "\"");
  }
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
  EXPECT_TRUE(NamesIn(folder_.Path()).empty());
}

TEST_F(CopyFileTest, ASourceHeldWithoutSharingCannotBeOpened) {
  WriteTextFile(Source(), "held");
  TFileStream holder(Source(), FileMode::kOpenRead);
  EXPECT_THROW(CopyFileContents(Source(), Destination(), kCopyOverwrite), EFOpenError);
  EXPECT_FALSE(std::filesystem::exists(Destination()));
}

TEST_F(CopyFileTest, ReadersMayShareTheSource) {
  WriteTextFile(Source(), "shared");
  NativeFile reader =
      NativeFile::Open(Source(), Encoding::kUtf8, FileAccess::kRead, FileShare::kDenyWrite);
  ASSERT_TRUE(reader.IsOpen());
  EXPECT_TRUE(CopyFileContents(Source(), Destination(), kCopyOverwrite));
  EXPECT_EQ(ReadTextFile(Destination()), "shared");
}

TEST_F(CopyFileTest, AFolderInTheDestinationsPlaceIsLeftAlone) {
  WriteTextFile(Source(), "data");
  std::filesystem::create_directory(Destination());
  WriteTextFile(std::filesystem::path(Destination()) / "inside", "kept");
  try {
    CopyFileContents(Source(), Destination(), kCopyOverwrite);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Unable to create file \"" + Destination() + "\"");
  }
  EXPECT_EQ(ReadTextFile(std::filesystem::path(Destination()) / "inside"), "kept");
  EXPECT_EQ(NamesIn(folder_.Path()), (Names{"destination.bin", "source.bin"}));
}

}  // namespace
}  // namespace platform
