// Each path names its encoding: the ANSI functions take the system code page, the wide ones
// UTF-8. A name the code page lacks reaches the system only through UTF-8.
#include <gtest/gtest.h>

#include "platform/file_operations.h"
#include "platform/file_stream.h"
#include "platform/native.h"
#include "platform/path.h"
#include "tests/platform/scratch_folder.h"

namespace platform {
namespace {

using testing::ScratchFolder;
using testing::WriteTextFile;
namespace fs = std::filesystem;

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::vector<std::string> Names(const std::vector<FileInfo>& entries) {
  std::vector<std::string> names;
  for (const FileInfo& entry : entries) {
    if (entry.name != "." && entry.name != "..") names.push_back(entry.name);
  }
  return names;
}

class EncodingTest : public ::testing::Test {
 protected:
  fs::path MakeFolderWithFile(const std::wstring& name) {
    const fs::path folder = folder_.Path() / name;
    fs::create_directory(folder);
    WriteTextFile(folder / L"d\u00eda.txt", "the user's file");  // "día"
    return folder;
  }
  ScratchFolder folder_;
};

TEST_F(EncodingTest, ANameOfTheCodePageIsReachedThroughEitherEncoding) {
  const std::string utf8 = Utf8(MakeFolderWithFile(L"Jos\u00e9")) +
                           "\\d\xC3\xAD"
                           "a.txt";
  bool lossy = true;
  const std::string code_page = Utf8ToSystemCodePage(utf8, &lossy);
  ASSERT_FALSE(lossy);

  EXPECT_TRUE(FileIsPresent(code_page));
  EXPECT_TRUE(QueryFile(utf8, Encoding::kUtf8));
  TFileStream stream(code_page, FileMode::kOpenRead);
  EXPECT_EQ(stream.Size(), 15);
  EXPECT_EQ(Names(ListFolder(ExtractFilePath(utf8) + "*", Encoding::kUtf8)),
            std::vector<std::string>{"d\xC3\xAD"
                                     "a.txt"});
  EXPECT_EQ(Names(ListFolder(ExtractFilePath(code_page) + "*", Encoding::kSystemCodePage)),
            std::vector<std::string>{"d\xED"
                                     "a.txt"});
}

TEST_F(EncodingTest, ANameOutsideTheCodePageIsReachedThroughUtf8Only) {
  const std::string utf8 = Utf8(MakeFolderWithFile(L"\u4e2d\u6587")) +
                           "\\d\xC3\xAD"
                           "a.txt";
  bool lossy = false;
  const std::string code_page = Utf8ToSystemCodePage(utf8, &lossy);
  EXPECT_TRUE(lossy);

  EXPECT_TRUE(QueryFile(utf8, Encoding::kUtf8));
  // The converted name misses the file: why a lossy conversion must never be used.
  EXPECT_FALSE(FileIsPresent(code_page));
  EXPECT_TRUE(RemoveFile(utf8));
}

}  // namespace
}  // namespace platform
