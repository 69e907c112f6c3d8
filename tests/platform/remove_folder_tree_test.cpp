#include <gtest/gtest.h>

#include "platform/file_operations.h"
#include "tests/platform/scratch_folder.h"

namespace platform {
namespace {

using testing::NamesIn;
using testing::ScratchFolder;
using testing::WriteTextFile;
namespace fs = std::filesystem;

class RemoveFolderTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree_ = folder_.Path() / "tree";
    fs::create_directories(tree_ / "a" / "b" / "c");
    fs::create_directories(tree_ / "empty");
    WriteTextFile(tree_ / "top.txt", "1");
    WriteTextFile(tree_ / "a" / "mid.txt", "2");
    WriteTextFile(tree_ / "a" / "b" / "c" / "deep.txt", "3");
  }
  ScratchFolder folder_;
  fs::path tree_;
};

TEST_F(RemoveFolderTreeTest, DeletesTheWholeTree) {
  EXPECT_TRUE(RemoveFolderTree(folder_ / "tree", false));
  EXPECT_FALSE(fs::exists(tree_));
}

TEST_F(RemoveFolderTreeTest, OnlyChildrenKeepsTheFolder) {
  EXPECT_TRUE(RemoveFolderTree(folder_ / "tree\\", true));
  EXPECT_TRUE(fs::is_directory(tree_));
  EXPECT_TRUE(NamesIn(tree_).empty());
}

TEST_F(RemoveFolderTreeTest, TheNameIsCleanedAndMadeAbsolute) {
  const fs::path previous = fs::current_path();
  fs::current_path(folder_.Path());
  const bool removed = RemoveFolderTree("other\\\\..\\.\\TREE\\a\\..", false);
  fs::current_path(previous);
  EXPECT_TRUE(removed);
  EXPECT_FALSE(fs::exists(tree_));
}

TEST_F(RemoveFolderTreeTest, AMissingFolderIsAFailure) {
  EXPECT_FALSE(RemoveFolderTree(folder_ / "missing", false));
}

TEST_F(RemoveFolderTreeTest, AnEmptyNameDeletesNothing) {
  const fs::path previous = fs::current_path();
  fs::current_path(tree_);
  const bool removed = RemoveFolderTree("", true);
  fs::current_path(previous);
  EXPECT_FALSE(removed);
  EXPECT_TRUE(fs::exists(tree_ / "top.txt"));
}

}  // namespace
}  // namespace platform
