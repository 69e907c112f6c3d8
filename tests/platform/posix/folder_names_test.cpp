// The kept names of a folder answer as a fresh reading of it would, whoever changed it since.
// Every change here is made behind the platform's back, as another process would make it.
#include "platform/posix/folder_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/file_stream.h"
#include "tests/platform/scratch_folder.h"

namespace platform::posix {
namespace {

using platform::testing::NamesIn;
using platform::testing::ReadTextFile;
using platform::testing::ScratchFolder;
using platform::testing::WriteTextFile;
namespace fs = std::filesystem;

class FolderNamesTest : public ::testing::Test {
 protected:
  FolderNamesTest() : folder_(scratch_.Path() / "kept") {
    fs::create_directory(folder_);
    WriteTextFile(folder_ / "ReadMe.TXT", "x");
  }

  std::optional<std::string> Find(std::string_view name) const {
    return FindInKeptFolder(folder_.string(), name);
  }
  // Looks the folder up until it is kept.
  void Keep() const {
    for (int i = 1; i < kLookupsBeforeKeeping; ++i) ASSERT_EQ(Find("readme.txt"), std::nullopt);
    ASSERT_EQ(Find("readme.txt"), "ReadMe.TXT");
  }

  ScratchFolder scratch_;
  fs::path folder_;
};

TEST_F(FolderNamesTest, FindsTheStoredSpellingOfAName) {
  Keep();
  EXPECT_EQ(Find("readme.txt"), "ReadMe.TXT");
  EXPECT_EQ(Find("README.TXT"), "ReadMe.TXT");
  EXPECT_EQ(Find("readme.tx"), "");
}

TEST_F(FolderNamesTest, NamesCreatedRemovedAndRenamedSinceTheReadingCount) {
  Keep();  // the folder is read, and kept from here on
  WriteTextFile(folder_ / "Other.DAT", "y");
  fs::create_directory(folder_ / "Sub");
  EXPECT_EQ(Find("other.dat"), "Other.DAT");
  EXPECT_EQ(Find("SUB"), "Sub");

  fs::rename(folder_ / "Other.DAT", folder_ / "Moved.dat");
  fs::remove(folder_ / "ReadMe.TXT");
  fs::remove(folder_ / "Sub");
  EXPECT_EQ(Find("other.dat"), "");
  EXPECT_EQ(Find("MOVED.DAT"), "Moved.dat");
  EXPECT_EQ(Find("readme.txt"), "");
  EXPECT_EQ(Find("sub"), "");

  fs::rename(folder_ / "Moved.dat", scratch_.Path() / "away.dat");  // moved out
  fs::rename(scratch_.Path() / "away.dat", folder_ / "BACK.dat");   // and in again
  EXPECT_EQ(Find("back.dat"), "BACK.dat");
}

TEST_F(FolderNamesTest, AFolderReplacedUnderTheSamePathIsReadAgain) {
  Keep();
  fs::rename(folder_, scratch_.Path() / "old");
  fs::create_directory(folder_);
  WriteTextFile(folder_ / "New.txt", "z");
  EXPECT_EQ(Find("readme.txt"), "");
  EXPECT_EQ(Find("new.txt"), "New.txt");

  fs::remove_all(folder_);  // and one deleted outright
  fs::create_directory(folder_);
  EXPECT_EQ(Find("new.txt"), "");
}

TEST_F(FolderNamesTest, TheCurrentFolderIsTheOneCurrentAtTheCall) {
  fs::create_directory(scratch_.Path() / "other");
  WriteTextFile(scratch_.Path() / "other" / "Elsewhere.txt", "w");
  const fs::path previous = fs::current_path();
  fs::current_path(folder_);
  for (int i = 1; i < kLookupsBeforeKeeping; ++i) FindInKeptFolder("", "README.txt");
  const std::optional<std::string> here = FindInKeptFolder("", "README.txt");
  fs::current_path(scratch_.Path() / "other");
  const std::optional<std::string> there = FindInKeptFolder("", "README.txt");
  const std::optional<std::string> elsewhere = FindInKeptFolder("", "elsewhere.TXT");
  fs::current_path(previous);
  EXPECT_EQ(here, "ReadMe.TXT");
  EXPECT_EQ(there, "");
  EXPECT_EQ(elsewhere, "Elsewhere.txt");
}

TEST_F(FolderNamesTest, OfTwoTwinsTheOneLeftIsFound) {
  Keep();
  WriteTextFile(folder_ / "readme.txt", "twin");
  const std::optional<std::string> either = Find("README.txt");
  EXPECT_TRUE(either == "ReadMe.TXT" || either == "readme.txt") << either.value_or("(none)");
  fs::remove(folder_ / "ReadMe.TXT");
  EXPECT_EQ(Find("README.txt"), "readme.txt");
}

TEST_F(FolderNamesTest, MoreChangesThanTheKernelQueuesAreNotLost) {
  Keep();
  // Two notices a rename: past the kernel's default queue of 16384, which then drops notices.
  WriteTextFile(folder_ / "churn", "");
  for (int i = 0; i < 4100; ++i) {
    fs::rename(folder_ / "churn", folder_ / "Churned");
    fs::rename(folder_ / "Churned", folder_ / "churn");
  }
  WriteTextFile(folder_ / "Last.txt", "l");
  EXPECT_EQ(Find("last.txt"), "Last.txt");
  EXPECT_EQ(Find("CHURN"), "churn");
  EXPECT_EQ(Find("churned"), "");
}

TEST(KeptFolderTest, AFileSystemWhoseChangesGoUnseenIsNotKept) {
  for (int i = 0; i <= kLookupsBeforeKeeping; ++i) {
    ASSERT_EQ(FindInKeptFolder("/proc", "self"), std::nullopt);
  }
}

TEST(KeptFolderTest, ATwinMadeByAnotherProcessInAKeptFolderIsWrittenThrough) {
  ScratchFolder scratch;
  std::vector<std::string> names;
  for (int i = 0; i < kLookupsBeforeKeeping; ++i) {  // each a lookup: the folder is kept
    names.push_back("file" + std::to_string(i));
    TFileStream file(scratch / names.back(), FileMode::kCreate);
  }
  WriteTextFile(scratch.Path() / "SECOND.txt", "old");
  {
    TFileStream second(scratch / "second.TXT", FileMode::kCreate);
    second.WriteBuffer("new", 3);
  }
  names.push_back("SECOND.txt");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(NamesIn(scratch.Path()), names);
  EXPECT_EQ(ReadTextFile(scratch.Path() / "SECOND.txt"), "new");
}

}  // namespace
}  // namespace platform::posix
