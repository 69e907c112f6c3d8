// The process-level host services on the Windows API.
#include <gtest/gtest.h>

#include "platform/file_operations.h"
#include "platform/native.h"
#include "tests/platform/scratch_folder.h"
#include "tests/platform/windows/windows_test_support.h"

namespace platform {
namespace {

using testing::EnvironmentGuard;
using testing::ScratchFolder;
using Value = std::optional<std::string>;

TEST(EnvironmentTest, NamesMatchWithoutRegardToCase) {
  EnvironmentGuard environment;
  environment.Set("Korvantel_Mixed_Case", "value");
  EXPECT_EQ(EnvironmentVariable("KORVANTEL_MIXED_CASE"), "value");
  EXPECT_EQ(EnvironmentVariable("korvantel_mixed_case"), "value");
  EXPECT_EQ(EnvironmentVariable("KORVANTEL_MIXED_CAS"), std::nullopt);
  EXPECT_EQ(EnvironmentVariable("NO_SUCH_VARIABLE_HERE"), std::nullopt);
}

TEST(EnvironmentTest, TempFolderTakesTempThenTmpAndNothingElse) {
  const struct {
    Value temp, tmp;
    const char* folder;
  } cases[] = {
      {"C:\\Temp", "D:\\Tmp", "C:\\Temp\\"},
      {"", "D:\\Tmp", "D:\\Tmp\\"},
      {std::nullopt, "D:\\Tmp\\", "D:\\Tmp\\"},
      {"C:/ends/in/slash/", std::nullopt, "C:/ends/in/slash/"},
      {"", "", ""},
      {std::nullopt, std::nullopt, ""},  // no further convention on Windows
  };
  for (const auto& c : cases) {
    EnvironmentGuard environment;
    environment.Set("TEMP", c.temp);
    environment.Set("TMP", c.tmp);
    EXPECT_EQ(TempFolder(), c.folder)
        << c.temp.value_or("(none)") << " " << c.tmp.value_or("(none)");
  }
}

TEST(PathRootTest, KnowsDrivesSharesAndTheCurrentDrivesRoot) {
  const struct {
    const char* path;
    std::size_t root;
  } cases[] = {
      {"C:\\Users\\x", 3},
      {"c:/x", 3},
      {"C:\\", 3},
      {"C:", 2},
      {"C:relative", 2},
      {"\\\\server\\share\\x", 15},
      {"//server/share", 14},
      {"\\\\server", 8},
      {"\\korvantel42\\", 1},
      {"relative\\x", 0},
      {"", 0},
      {"1:\\x", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(PathRootLength(c.path), c.root) << c.path;
}

class CurrentFolderTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_GT(::GetCurrentDirectoryW(MAX_PATH, previous_), 0u); }
  void TearDown() override { ::SetCurrentDirectoryW(previous_); }
  ScratchFolder folder_;
  wchar_t previous_[MAX_PATH];
};

TEST_F(CurrentFolderTest, IsGivenInUtf8WhateverTheCodePageHolds) {
  // "José" is in the Windows-1252 code page, "中文" in none of the Western ones.
  for (const std::wstring& name : {std::wstring(L"Jos\u00e9"), std::wstring(L"\u4e2d\u6587")}) {
    const std::filesystem::path folder = folder_.Path() / name;
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    ASSERT_TRUE(::SetCurrentDirectoryW(folder.c_str()));
    const std::u8string utf8 = folder.u8string();
    EXPECT_EQ(CurrentFolder(), std::string(utf8.begin(), utf8.end()));
  }
}

TEST_F(CurrentFolderTest, AtADriveRootItEndsWithTheDelimiter) {
  ASSERT_TRUE(::SetCurrentDirectoryW(L"C:\\"));
  EXPECT_EQ(CurrentFolder(), "C:\\");
}

}  // namespace
}  // namespace platform
