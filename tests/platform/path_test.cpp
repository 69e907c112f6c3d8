#include "platform/path.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

struct PathCase {
  const char* path;
  const char* folder;
  const char* name;
};

TEST(PathTest, SplitsAtTheLastSlashBackslashOrColon) {
  const PathCase cases[] = {
      {"C:\\out\\a/b/c.txt", "C:\\out\\a/b/", "c.txt"},
      {"dir/file:alt", "dir/file:", "alt"},
      {"C:x.dll", "C:", "x.dll"},
      {"plain", "", "plain"},
      {"folder\\", "folder\\", ""},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.path), c.folder) << c.path;
    EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
  }
}

TEST(PathTest, TrailingDelimiterIsAddedOnlyWhenMissing) {
  EXPECT_EQ(IncludeTrailingPathDelimiter(""), "\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\out"), "C:\\out\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\out\\"), "C:\\out\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter("out/"), "out/");
}

TEST(PathTest, ChangeFileExtReplacesOnlyTheNamesExtension) {
  EXPECT_EQ(ChangeFileExt("C:\\d\\arc.zip", ".tmp2"), "C:\\d\\arc.tmp2");
  EXPECT_EQ(ChangeFileExt("C:\\d.x\\arc", ".tmp2"), "C:\\d.x\\arc.tmp2");
  EXPECT_EQ(ChangeFileExt("a.b.c", ".tmp2"), "a.b.tmp2");
  EXPECT_EQ(PosOfColon("C:\\x:y"), 2u);
  EXPECT_EQ(PosOfColon("none"), 0u);
}

}  // namespace
}  // namespace platform
