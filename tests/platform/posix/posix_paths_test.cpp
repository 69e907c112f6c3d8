// What the Windows rules mean where the file system itself has other ones.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>

#include "platform/file_operations.h"
#include "platform/file_stream.h"
#include "platform/native.h"
#include "tests/platform/posix/environment_guard.h"
#include "tests/platform/scratch_folder.h"

namespace platform {
namespace {

using testing::NamesIn;
using testing::ReadTextFile;
using testing::ScratchFolder;
using testing::WriteTextFile;
namespace fs = std::filesystem;

class PosixPathsTest : public ::testing::Test {
 protected:
  ScratchFolder folder_;
};

TEST_F(PosixPathsTest, ADriveLetterIsAnOrdinaryName) {
  const fs::path previous = fs::current_path();
  fs::current_path(folder_.Path());
  const bool made = MakeFolderChain("C:\\Temp\\");
  fs::current_path(previous);
  EXPECT_TRUE(made);
  EXPECT_TRUE(fs::is_directory(folder_.Path() / "C:" / "Temp"));
}

TEST_F(PosixPathsTest, AColonInANameDoesNotEndTheFolderPart) {
  EXPECT_TRUE(MakeFolderChain(folder_ / "a:b\\c"));
  EXPECT_EQ(NamesIn(folder_.Path()), std::vector<std::string>{"a:b"});
}

TEST_F(PosixPathsTest, TheExactSpellingWinsOverOtherCases) {
  WriteTextFile(folder_.Path() / "name.txt", "lower");
  WriteTextFile(folder_.Path() / "NAME.txt", "upper");
  TFileStream stream(folder_ / "NAME.txt", FileMode::kOpenRead);
  char content[5];
  stream.ReadBuffer(content, 5);
  EXPECT_EQ(std::string(content, 5), "upper");
  // The directory search finds that same one file, and not its twin.
  const std::vector<FileInfo> found = ListFolder(folder_ / "NAME.txt", Encoding::kUtf8);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, "NAME.txt");
}

TEST_F(PosixPathsTest, LinksAreDescribedAsTheLinksThemselves) {
  WriteTextFile(folder_.Path() / "file", "x");
  fs::create_directory(folder_.Path() / "folder");
  fs::create_symlink(folder_.Path() / "file", folder_.Path() / "to-file");
  fs::create_directory_symlink(folder_.Path() / "folder", folder_.Path() / "to-folder");
  fs::create_symlink(folder_.Path() / "nowhere", folder_.Path() / "dangling");

  EXPECT_EQ(QueryFile(folder_ / "TO-FILE", Encoding::kUtf8)->attributes, kAttrSymLink);
  EXPECT_EQ(QueryFile(folder_ / "to-folder", Encoding::kUtf8)->attributes,
            kAttrSymLink | kAttrDirectory);
  EXPECT_EQ(QueryFile(folder_ / "dangling", Encoding::kUtf8)->attributes, kAttrSymLink);

  EXPECT_TRUE(FileIsPresent(folder_ / "file"));
  EXPECT_TRUE(FileIsPresent(folder_ / "to-file"));
  EXPECT_FALSE(FileIsPresent(folder_ / "folder"));
  EXPECT_FALSE(FileIsPresent(folder_ / "to-folder"));
  EXPECT_FALSE(FileIsPresent(folder_ / "missing"));

  EXPECT_TRUE(RemoveFile(folder_ / "to-folder"));  // the link goes, not what it points to
  EXPECT_TRUE(fs::is_directory(folder_.Path() / "folder"));
  EXPECT_FALSE(RemoveFile(folder_ / "folder"));
}

TEST_F(PosixPathsTest, TimesAreLocalTime) {
  struct ZoneReread {
    ~ZoneReread() { ::tzset(); }
  } reread_after_restore;
  testing::EnvironmentGuard environment;
  environment.Set("TZ", "UTC-3");  // three hours east of Greenwich
  ::tzset();
  WriteTextFile(folder_.Path() / "f", "");
  const timespec times[2] = {{0, UTIME_OMIT}, {86400 + 3600, 0}};  // 1970-01-02 01:00 UTC
  ASSERT_EQ(::utimensat(AT_FDCWD, (folder_ / "f").c_str(), times, 0), 0);
  const double expected = EncodeDate(1970, 1, 2) + EncodeTime(4, 0, 0, 0);
  EXPECT_NEAR(QueryFile(folder_ / "f", Encoding::kUtf8)->last_write, expected, 1e-9);

  ASSERT_TRUE(SetLastWriteTime(folder_ / "f", Encoding::kUtf8, expected + 1.0));
  struct stat info;
  ASSERT_EQ(::stat((folder_ / "f").c_str(), &info), 0);
  EXPECT_EQ(info.st_mtim.tv_sec, 2 * 86400 + 3600);
}

TEST(TextConversionTest, OnlyMalformedUtf8Changes) {
  const struct {
    std::string utf8, converted;
  } cases[] = {
      {"plain", "plain"},
      {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
      {"a\xFF"
       "b",
       "a?b"},
      {"\xC3", "?"},  // cut short
      {"\xE2\x82"
       "x",
       "?x"},                        // one "?" for the whole broken sequence
      {"\xC0\xAF", "??"},            // overlong forms are not UTF-8
      {"\xED\xA0\x80", "???"},       // nor are surrogates
      {"\xF4\x90\x80\x80", "????"},  // nor code points beyond U+10FFFF
      {"\x80\x80", "??"},
  };
  for (const auto& c : cases) {
    bool lossy = true;
    EXPECT_EQ(Utf8ToSystemCodePage(c.utf8, &lossy), c.converted) << c.utf8;
    EXPECT_FALSE(lossy);  // the code page has every character
    EXPECT_EQ(SystemCodePageToUtf8(c.utf8), c.converted) << c.utf8;
  }
}

}  // namespace
}  // namespace platform
