#include <gtest/gtest.h>

#include "platform/directory_search.h"
#include "platform/native.h"
#include "tests/platform/scratch_folder.h"

namespace platform {
namespace {

using testing::ScratchFolder;
using testing::WriteTextFile;
using Names = std::vector<std::string>;

Names SortedNames(const std::vector<FileInfo>& entries) {
  Names names;
  for (const FileInfo& entry : entries) names.push_back(entry.name);
  std::sort(names.begin(), names.end());
  return names;
}

const FileInfo& Named(const std::vector<FileInfo>& entries, const std::string& name) {
  const auto found = std::find_if(entries.begin(), entries.end(),
                                  [&](const FileInfo& entry) { return entry.name == name; });
  static const FileInfo kNone{};
  if (found != entries.end()) return *found;
  ADD_FAILURE() << "not listed: " << name;
  return kNone;
}

class ListFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteTextFile(folder_.Path() / "ReadMe.txt", "12345");
    WriteTextFile(folder_.Path() / "noext", "");
    std::filesystem::create_directory(folder_.Path() / "Sub");
  }
  ScratchFolder folder_;
};

TEST_F(ListFolderTest, BothWildcardsListEveryName) {
  for (const char* pattern : {"*", "*.*"}) {
    const std::vector<FileInfo> entries = ListFolder(folder_ / pattern, Encoding::kUtf8);
    EXPECT_EQ(SortedNames(entries), (Names{".", "..", "ReadMe.txt", "Sub", "noext"})) << pattern;
  }
}

TEST_F(ListFolderTest, DescribesEachEntry) {
  const std::vector<FileInfo> entries = ListFolder(folder_ / "*", Encoding::kUtf8);
  const FileInfo& file = Named(entries, "ReadMe.txt");
  EXPECT_EQ(file.attributes, kAttrArchive);
  EXPECT_EQ(file.size, 5);
  EXPECT_EQ(Named(entries, "Sub").attributes, kAttrDirectory);
}

TEST_F(ListFolderTest, LastWriteTimeIsLocalTimeBothWays) {
  const TDateTime moment = EncodeDate(2001, 2, 3) + EncodeTime(4, 5, 6, 700);
  ASSERT_TRUE(SetLastWriteTime(folder_ / "readme.TXT", Encoding::kUtf8, moment));
  const std::optional<FileInfo> info = QueryFile(folder_ / "ReadMe.txt", Encoding::kUtf8);
  ASSERT_TRUE(info);
  EXPECT_NEAR(info->last_write, moment, 0.5 / 86'400'000);
  EXPECT_NEAR(Named(ListFolder(folder_ / "*", Encoding::kUtf8), "ReadMe.txt").last_write, moment,
              0.5 / 86'400'000);
}

TEST_F(ListFolderTest, AnExactNameMatchesWithoutRegardToCase) {
  const std::vector<FileInfo> entries = ListFolder(folder_ / "README.TXT", Encoding::kUtf8);
  EXPECT_EQ(SortedNames(entries), Names{"ReadMe.txt"});
  EXPECT_TRUE(ListFolder(folder_ / "ReadMe.tx", Encoding::kUtf8).empty());
  EXPECT_TRUE(ListFolder(folder_ / "missing\\*", Encoding::kUtf8).empty());
}

TEST_F(ListFolderTest, AReadOnlyFileSaysSo) {
  std::filesystem::permissions(folder_.Path() / "noext", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  const std::optional<FileInfo> info = QueryFile(folder_ / "NOEXT", Encoding::kUtf8);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->name, "noext");
  EXPECT_EQ(info->attributes, kAttrArchive | kAttrReadOnly);
  EXPECT_FALSE(QueryFile(folder_ / "gone", Encoding::kUtf8));
}

TEST_F(ListFolderTest, TheAttributeMaskKeepsFoldersOutUnlessItAsksForThem) {
  constexpr std::uint32_t kFilesOnly = kAttrReadOnly | kAttrHidden | kAttrArchive;  // 0x23
  EXPECT_EQ(SortedNames(FindFiles(folder_ / "*", Encoding::kUtf8, kFilesOnly)),
            (Names{"ReadMe.txt", "noext"}));
  EXPECT_TRUE(FindFiles(folder_ / "sub", Encoding::kUtf8, kFilesOnly).empty());
  EXPECT_EQ(SortedNames(FindFiles(folder_ / "sub", Encoding::kUtf8, kFilesOnly | kAttrDirectory)),
            Names{"Sub"});
}

}  // namespace
}  // namespace platform
