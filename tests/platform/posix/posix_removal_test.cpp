// RemoveFolderTree against links and entries that cannot be deleted.
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/file_operations.h"
#include "platform/native.h"
#include "tests/platform/scratch_folder.h"

namespace platform {
namespace {

using testing::NamesIn;
using testing::ScratchFolder;
using testing::WriteTextFile;
namespace fs = std::filesystem;

class PosixRemovalTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directory(tree_); }
  ScratchFolder folder_;
  fs::path tree_ = folder_.Path() / "tree";
};

TEST_F(PosixRemovalTest, LinksAreRemovedAndNeverFollowed) {
  const fs::path outside = folder_.Path() / "outside";
  fs::create_directory(outside);
  WriteTextFile(outside / "keep.txt", "mine");
  fs::create_directory_symlink(outside, tree_ / "to-folder");
  fs::create_symlink(outside / "keep.txt", tree_ / "to-file");
  fs::create_directory(tree_ / "sub");
  fs::create_directory_symlink(outside, tree_ / "sub" / "deeper-link");

  EXPECT_TRUE(RemoveFolderTree(tree_.string(), false));
  EXPECT_FALSE(fs::exists(fs::symlink_status(tree_)));
  EXPECT_EQ(testing::ReadTextFile(outside / "keep.txt"), "mine");
}

// As root, permission bits bind nobody; for a while the test acts as an ordinary user.
class UnprivilegedScope {
 public:
  UnprivilegedScope() : switched_(::geteuid() == 0 && ::seteuid(kNobody) == 0) {}
  UnprivilegedScope(const UnprivilegedScope&) = delete;
  UnprivilegedScope& operator=(const UnprivilegedScope&) = delete;
  ~UnprivilegedScope() {
    if (switched_) {
      EXPECT_EQ(::seteuid(0), 0);
    }
  }

 private:
  static constexpr uid_t kNobody = 65534;
  bool switched_;
};

TEST_F(PosixRemovalTest, DeletesEverythingElseWhenAnEntryStays) {
  fs::create_directory(tree_ / "locked");
  WriteTextFile(tree_ / "locked" / "stuck.txt", "");
  fs::create_directory(tree_ / "open");
  WriteTextFile(tree_ / "open" / "inner.txt", "");
  // Enough siblings that the listing goes on past the entry that stays.
  auto last_listed = [&] {
    std::string last;
    for (const FileInfo& entry : ListFolder((tree_ / "*.*").string(), Encoding::kUtf8)) {
      if (entry.name != "." && entry.name != "..") last = entry.name;
    }
    return last;
  };
  for (int i = 0; i < 50 && last_listed() == "locked"; ++i) {
    WriteTextFile(tree_ / ("file" + std::to_string(i)), "");
  }
  ASSERT_NE(last_listed(), "locked");
  for (const fs::path& folder : {folder_.Path(), tree_, tree_ / "open"}) {
    fs::permissions(folder, fs::perms::all);
  }
  fs::permissions(tree_ / "locked", fs::perms::owner_read | fs::perms::owner_exec |
                                        fs::perms::group_read | fs::perms::group_exec |
                                        fs::perms::others_read | fs::perms::others_exec);
  bool removed;
  {
    UnprivilegedScope unprivileged;
    removed = RemoveFolderTree(tree_.string(), false);
  }
  EXPECT_FALSE(removed);
  EXPECT_EQ(NamesIn(tree_), std::vector<std::string>{"locked"});
  EXPECT_EQ(NamesIn(tree_ / "locked"), std::vector<std::string>{"stuck.txt"});
}

}  // namespace
}  // namespace platform
