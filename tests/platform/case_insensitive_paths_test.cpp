// Names are matched as the Windows file system matches them, on every host.
#include <gtest/gtest.h>

#include "platform/file_operations.h"
#include "platform/file_stream.h"
#include "platform/native.h"
#include "tests/platform/scratch_folder.h"

namespace platform {
namespace {

using testing::NamesIn;
using testing::ReadTextFile;
using testing::ScratchFolder;
using testing::WriteTextFile;
using Names = std::vector<std::string>;

std::string ReadAll(const std::string& path) {
  TFileStream stream(path, FileMode::kOpenRead);
  std::string content(static_cast<std::size_t>(stream.Size()), '\0');
  stream.ReadBuffer(content.data(), content.size());
  return content;
}

class CaseInsensitivePathsTest : public ::testing::Test {
 protected:
  ScratchFolder folder_;
};

TEST_F(CaseInsensitivePathsTest, OpensANameStoredInAnotherCase) {
  WriteTextFile(folder_.Path() / "Yap.zip", "archive");
  EXPECT_EQ(ReadAll(folder_ / "yap.zip"), "archive");
  EXPECT_TRUE(FileIsPresent(folder_ / "YAP.ZIP"));
}

TEST_F(CaseInsensitivePathsTest, EveryComponentOfThePathIsMatched) {
  std::filesystem::create_directories(folder_.Path() / "Sub" / "Deeper");
  WriteTextFile(folder_.Path() / "Sub" / "Deeper" / "File.txt", "deep");
  EXPECT_EQ(ReadAll(folder_ / "sUB\\dEEPER\\fILE.TXT"), "deep");
}

TEST_F(CaseInsensitivePathsTest, BackslashesAndDoubledSeparatorsNameTheSameFile) {
  std::filesystem::create_directory(folder_.Path() / "sub");
  WriteTextFile(folder_.Path() / "sub" / "x.txt", "x");
  EXPECT_EQ(ReadAll(folder_ / "\\\\sub\\\\x.txt"), "x");
  EXPECT_EQ(ReadAll(folder_ / "/sub//x.txt"), "x");
}

TEST_F(CaseInsensitivePathsTest, CreatingANameInAnotherCaseReplacesTheExistingFile) {
  WriteTextFile(folder_.Path() / "a.txt", "old content");
  {
    TFileStream stream(folder_ / "A.TXT", FileMode::kCreate);
    stream.WriteBuffer("new", 3);
  }
  EXPECT_EQ(NamesIn(folder_.Path()), Names{"a.txt"});
  EXPECT_EQ(ReadTextFile(folder_.Path() / "a.txt"), "new");
}

TEST_F(CaseInsensitivePathsTest, NewEntriesGoIntoTheExistingFolderOfAnotherCase) {
  std::filesystem::create_directory(folder_.Path() / "vevivur");
  { TFileStream stream(folder_ / "VEVIVUR\\new.txt", FileMode::kCreate); }
  EXPECT_TRUE(MakeFolderChain(folder_ / "Vevivur\\inner\\"));
  EXPECT_FALSE(CreateFolder(folder_ / "VeViVuR", Encoding::kUtf8));  // it exists
  EXPECT_EQ(NamesIn(folder_.Path()), Names{"vevivur"});
  EXPECT_EQ(NamesIn(folder_.Path() / "vevivur"), (Names{"inner", "new.txt"}));
}

TEST_F(CaseInsensitivePathsTest, DeletionAndReplacementFindTheStoredName) {
  WriteTextFile(folder_.Path() / "Old.txt", "old");
  WriteTextFile(folder_.Path() / "New.tmp", "new");
  EXPECT_TRUE(ReplaceFileAtomically(folder_ / "NEW.TMP", folder_ / "old.TXT", Encoding::kUtf8));
  EXPECT_EQ(NamesIn(folder_.Path()), Names{"Old.txt"});
  EXPECT_EQ(ReadTextFile(folder_.Path() / "Old.txt"), "new");
  EXPECT_TRUE(RemoveFile(folder_ / "OLD.txt"));
  EXPECT_TRUE(NamesIn(folder_.Path()).empty());
  EXPECT_FALSE(RemoveFile(folder_ / "OLD.txt"));
}

}  // namespace
}  // namespace platform
