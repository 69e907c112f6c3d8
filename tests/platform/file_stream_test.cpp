#include "platform/file_stream.h"

#include <gtest/gtest.h>

#include "platform/exception.h"
#include "tests/platform/scratch_folder.h"

namespace platform {
namespace {

using testing::ReadTextFile;
using testing::ScratchFolder;
using testing::WriteTextFile;

class FileStreamTest : public ::testing::Test {
 protected:
  ScratchFolder folder_;
};

TEST_F(FileStreamTest, FailuresNameThePathExactly) {
  const std::string missing = folder_ / "missing.bin";
  try {
    TFileStream stream(missing, FileMode::kOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.ClassName(), "EFOpenError");
    EXPECT_EQ(e.Message(), "Unable to open file \"" + missing + "\"");
  }
  const std::string unreachable = folder_ / "no-folder\\new.bin";
  try {
    TFileStream stream(unreachable, FileMode::kCreate);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.ClassName(), "EFCreateError");
    EXPECT_EQ(e.Message(), "Unable to create file \"" + unreachable + "\"");
  }
}

TEST_F(FileStreamTest, AFolderNeverOpensAsAFile) {
  std::filesystem::create_directory(folder_.Path() / "sub");
  EXPECT_THROW(TFileStream(folder_ / "sub", FileMode::kOpenRead), EFOpenError);
  EXPECT_THROW(TFileStream(folder_ / "sub", FileMode::kCreate), EFCreateError);
}

TEST_F(FileStreamTest, CreateEmptiesALongerFile) {
  WriteTextFile(folder_.Path() / "f.bin", "a much longer old content");
  {
    TFileStream stream(folder_ / "f.bin", FileMode::kCreate);
    stream.WriteBuffer("new", 3);
    EXPECT_EQ(stream.Size(), 3);
  }
  EXPECT_EQ(ReadTextFile(folder_.Path() / "f.bin"), "new");
}

TEST_F(FileStreamTest, AnOpenStreamSharesItsFileWithNoOtherOpener) {
  WriteTextFile(folder_.Path() / "held.bin", "kept");
  {
    TFileStream holder(folder_ / "held.bin", FileMode::kOpenRead);
    EXPECT_THROW(TFileStream(folder_ / "held.bin", FileMode::kOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream(folder_ / "held.bin", FileMode::kCreate), EFCreateError);
  }
  // Read once the holder is gone: where share modes bind every opener, it keeps this one out too.
  EXPECT_EQ(ReadTextFile(folder_.Path() / "held.bin"),
            "kept");  // the refused create emptied nothing
}

}  // namespace
}  // namespace platform
