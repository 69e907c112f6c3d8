// The share modes are the system's own here, and bind every opener, not only this program.
#include <gtest/gtest.h>

#include "platform/exception.h"
#include "platform/file_operations.h"
#include "platform/native.h"
#include "platform/windows/handles.h"
#include "tests/platform/scratch_folder.h"

namespace platform {
namespace {

using testing::ReadTextFile;
using testing::ScratchFolder;
using testing::WriteTextFile;
using windows::UniqueHandle;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

class ShareModeTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteTextFile(folder_.Path() / "held.bin", "kept"); }

  std::string Held() const { return folder_ / "held.bin"; }
  // Another program's opener, as the system sees it.
  UniqueHandle OpenElsewhere(DWORD access, DWORD share) const {
    return UniqueHandle(windows::NullWhenInvalid(::CreateFileA(
        Held().c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
  }
  NativeFile Open(FileAccess access, FileShare share) const {
    return NativeFile::Open(Held(), Encoding::kUtf8, access, share);
  }

  ScratchFolder folder_;
};

TEST_F(ShareModeTest, AnExclusiveOpenerKeepsEveryOtherOut) {
  const NativeFile holder = Open(FileAccess::kRead, FileShare::kExclusive);
  ASSERT_TRUE(holder.IsOpen());
  EXPECT_FALSE(OpenElsewhere(GENERIC_READ, kShareAll));
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_FALSE(Open(FileAccess::kRead, FileShare::kDenyWrite).IsOpen());
  EXPECT_FALSE(Open(FileAccess::kCreate, FileShare::kExclusive).IsOpen());
}

TEST_F(ShareModeTest, AReaderThatDeniesWritingLetsOthersReadOnly) {
  const NativeFile reader = Open(FileAccess::kRead, FileShare::kDenyWrite);
  ASSERT_TRUE(reader.IsOpen());
  EXPECT_TRUE(Open(FileAccess::kRead, FileShare::kDenyWrite).IsOpen());
  EXPECT_TRUE(OpenElsewhere(GENERIC_READ, kShareAll));
  EXPECT_FALSE(OpenElsewhere(GENERIC_WRITE, kShareAll));
  EXPECT_FALSE(Open(FileAccess::kCreate, FileShare::kExclusive).IsOpen());
}

TEST_F(ShareModeTest, AFileAnotherProgramWritesIsNotCopiedHalfDone) {
  const UniqueHandle writer = OpenElsewhere(GENERIC_WRITE, kShareAll);
  ASSERT_TRUE(writer);
  EXPECT_FALSE(Open(FileAccess::kRead, FileShare::kDenyWrite).IsOpen());
  EXPECT_THROW(CopyFileContents(Held(), folder_ / "copy.bin", kCopyOverwrite), EFOpenError);
  EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "copy.bin"));
}

TEST_F(ShareModeTest, AFileAnotherProgramOnlyReadsIsCopied) {
  const UniqueHandle other_reader = OpenElsewhere(GENERIC_READ, FILE_SHARE_READ);
  ASSERT_TRUE(other_reader);
  EXPECT_TRUE(CopyFileContents(Held(), folder_ / "copy.bin", kCopyOverwrite));
  EXPECT_EQ(ReadTextFile(folder_.Path() / "copy.bin"), "kept");
}

}  // namespace
}  // namespace platform
