// Real read and write failures in the middle of a copy.
#include <gtest/gtest.h>

#include "platform/exception.h"
#include "platform/file_operations.h"
#include "tests/platform/posix/file_size_limit.h"
#include "tests/platform/scratch_folder.h"

namespace platform {
namespace {

using testing::FileSizeLimit;
using testing::NamesIn;
using testing::ReadTextFile;
using testing::ScratchFolder;
using testing::WriteTextFile;
using Names = std::vector<std::string>;

class CopyFailureTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteTextFile(Destination(), kPrecious); }
  std::string Destination() const { return folder_ / "trad_dyn.pl"; }
  static constexpr char kPrecious[] = "the user's own file, which must survive";
  ScratchFolder folder_;
};

TEST_F(CopyFailureTest, AFailingWriteLeavesTheDestinationAsItWas) {
  WriteTextFile(folder_.Path() / "source.pl", std::string(100'000, 's'));
  try {
    FileSizeLimit limit(10'000);
    CopyFileContents(folder_ / "source.pl", Destination(), kCopyOverwrite);
    FAIL() << "the copy went past the size limit";
  } catch (const EWriteError& e) {
    EXPECT_EQ(e.ClassName(), "EWriteError");
    EXPECT_EQ(e.Message(), "Unable to write to file \"" + Destination() + "\"");
  }
  EXPECT_EQ(ReadTextFile(Destination()), kPrecious);
  EXPECT_EQ(NamesIn(folder_.Path()), (Names{"source.pl", "trad_dyn.pl"}));
}

TEST_F(CopyFailureTest, AFailingReadRaisesAndLeavesTheDestinationAsItWas) {
  // Reading a process's memory at address 0 fails with an I/O error.
  const std::string unreadable = "/proc/self/mem";
  try {
    CopyFileContents(unreadable, Destination(), kCopyOverwrite);
    FAIL() << "the copy ended as if complete";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.ClassName(), "EReadError");
    EXPECT_EQ(e.Message(), "Unable to read file \"/proc/self/mem\"");
  }
  EXPECT_EQ(ReadTextFile(Destination()), kPrecious);
  EXPECT_EQ(NamesIn(folder_.Path()), Names{"trad_dyn.pl"});
}

}  // namespace
}  // namespace platform
