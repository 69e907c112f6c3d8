#include <gtest/gtest.h>

#include "platform/exception.h"
#include "platform/file_operations.h"
#include "tests/platform/scratch_folder.h"

namespace platform {
namespace {

using testing::ScratchFolder;
using testing::WriteTextFile;
namespace fs = std::filesystem;

class FolderChainTest : public ::testing::Test {
 protected:
  ScratchFolder folder_;
};

TEST_F(FolderChainTest, CreatesEveryMissingFolder) {
  for (bool (*make)(const std::string&) : {&MakeFolderChain, &ForceDirectories}) {
    fs::remove_all(folder_.Path() / "a");
    EXPECT_TRUE(make(folder_ / "a\\b\\\\c\\"));
    EXPECT_TRUE(fs::is_directory(folder_.Path() / "a" / "b" / "c"));
    EXPECT_TRUE(make(folder_ / "a/b"));  // already there
  }
}

TEST_F(FolderChainTest, FailsWithoutRaisingWhereAFileIsInTheWay) {
  WriteTextFile(folder_.Path() / "file", "");
  EXPECT_FALSE(MakeFolderChain(folder_ / "file\\sub\\"));
  EXPECT_FALSE(ForceDirectories(folder_ / "file"));
}

TEST_F(FolderChainTest, AnEmptyNameRaises) {
  for (bool (*make)(const std::string&) : {&MakeFolderChain, &ForceDirectories}) {
    try {
      make("");
      FAIL();
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.ClassName(), "EInOutError");
      EXPECT_STREQ(e.what(), "Cannot create empty directory");
    }
  }
}

TEST_F(FolderChainTest, TheWalkCreatesAFolderAtEachSeparatorOnly) {
  CreateFolderWalk(folder_ / "x\\y\\\\z\\");
  EXPECT_TRUE(fs::is_directory(folder_.Path() / "x" / "y" / "z"));
  CreateFolderWalk(folder_ / "p/q/name");
  EXPECT_TRUE(fs::is_directory(folder_.Path() / "p" / "q"));
  EXPECT_FALSE(fs::exists(folder_.Path() / "p" / "q" / "name"));
}

TEST_F(FolderChainTest, TheWalkStopsSilentlyAtAFolderItCannotCreate) {
  WriteTextFile(folder_.Path() / "f", "");
  CreateFolderWalk(folder_ / "f\\sub\\more\\");
  EXPECT_TRUE(fs::is_regular_file(folder_.Path() / "f"));
  EXPECT_EQ(testing::NamesIn(folder_.Path()), std::vector<std::string>{"f"});
}

}  // namespace
}  // namespace platform
