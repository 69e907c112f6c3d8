// RemoveFolderTree against entries the system will not delete and against links.
#include <gtest/gtest.h>

#include "platform/file_operations.h"
#include "platform/native.h"
#include "platform/windows/handles.h"
#include "tests/platform/scratch_folder.h"
#include "tests/platform/windows/windows_test_support.h"

namespace platform {
namespace {

using testing::NamesIn;
using testing::ReadTextFile;
using testing::RunsUnderWine;
using testing::ScratchFolder;
using testing::WriteTextFile;
namespace fs = std::filesystem;

// Wine's own path translation, looked up at run time as Windows lacks it.
using WineUnixName = char* (*)(const wchar_t*);
using WineDosName = wchar_t* (*)(const char*);

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
  using Plain = void (*)();  // the one type any function pointer is cast through unwarned
  return reinterpret_cast<Function>(reinterpret_cast<Plain>(::GetProcAddress(module, name)));
}

// Wine cannot create Windows links, but shows a POSIX link to a folder as a reparse point;
// such a link is made by starting the host's ln, which it can run.
bool MakeLinkUnderWine(const fs::path& link, const fs::path& target) {
  const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
  const auto unix_name = Lookup<WineUnixName>(kernel, "wine_get_unix_file_name");
  const auto dos_name = Lookup<WineDosName>(kernel, "wine_get_dos_file_name");
  if (unix_name == nullptr || dos_name == nullptr) return false;
  const auto host_path = [&](const fs::path& path) {
    char* name = unix_name(path.c_str());
    std::string converted = name != nullptr ? name : "";
    ::HeapFree(::GetProcessHeap(), 0, name);
    return converted;
  };
  wchar_t* ln = dos_name("/bin/ln");
  if (ln == nullptr) return false;
  std::wstring command_line = L"\"" + std::wstring(ln) + L"\" -s \"" +
                              fs::path(host_path(target)).wstring() + L"\" \"" +
                              fs::path(host_path(link)).wstring() + L"\"";
  ::HeapFree(::GetProcessHeap(), 0, ln);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
    return false;
  }
  const windows::UniqueHandle process(started.hProcess);
  const windows::UniqueHandle thread(started.hThread);
  return true;
}

// A link to a folder: a symbolic link where the system allows one to be made, else what
// wine can show.
bool MakeFolderLink(const fs::path& link, const fs::path& target) {
  ::CreateSymbolicLinkW(
      link.c_str(), target.c_str(),
      SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
  const auto is_link = [&] {
    const DWORD attributes = ::GetFileAttributesW(link.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
  };
  if (is_link() || !RunsUnderWine() || !MakeLinkUnderWine(link, target)) return is_link();
  // Wine does not let a Windows program wait for a host program's end.
  for (int i = 0; i < 100 && !is_link(); ++i) ::Sleep(20);
  return is_link();
}

class RemovalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(tree_ / "sub");
    fs::create_directory(outside_);
    WriteTextFile(outside_ / "keep.txt", "mine");
  }
  ScratchFolder folder_;
  fs::path tree_ = folder_.Path() / "tree";
  fs::path outside_ = folder_.Path() / "outside";
};

TEST_F(RemovalTest, AFileHeldOpenStaysAndEverythingElseGoes) {
  for (const char* name : {"a.txt", "held.txt", "z.txt"}) WriteTextFile(tree_ / name, name);
  WriteTextFile(tree_ / "sub" / "inner.txt", "");
  const NativeFile holder = NativeFile::Open((tree_ / "held.txt").string(), Encoding::kUtf8,
                                             FileAccess::kRead, FileShare::kExclusive);
  ASSERT_TRUE(holder.IsOpen());
  EXPECT_FALSE(RemoveFolderTree(tree_.string(), false));
  EXPECT_EQ(NamesIn(tree_), std::vector<std::string>{"held.txt"});
}

TEST_F(RemovalTest, ALinkIsAnEntryOfItsOwnAndNeverFollowed) {
  if (!MakeFolderLink(tree_ / "sub" / "to-outside", outside_)) {
    GTEST_SKIP() << "this system makes no links to folders for this user";
  }
  const std::optional<FileInfo> link =
      QueryFile((tree_ / "sub" / "to-outside").string(), Encoding::kUtf8);
  ASSERT_TRUE(link);
  EXPECT_EQ(link->name, "to-outside");
  EXPECT_EQ(link->attributes & (kAttrDirectory | kAttrSymLink), kAttrDirectory | kAttrSymLink);

  const bool removed = RemoveFolderTree(tree_.string(), false);
  EXPECT_EQ(ReadTextFile(outside_ / "keep.txt"), "mine");
  if (RunsUnderWine()) {
    // Wine deletes through a POSIX link, so the link itself stays behind.
    EXPECT_FALSE(removed);
  } else {
    EXPECT_TRUE(removed);
    EXPECT_FALSE(fs::exists(fs::symlink_status(tree_)));
  }
}

}  // namespace
}  // namespace platform
