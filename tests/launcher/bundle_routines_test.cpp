#include "launcher/bundle_routines.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string_view>

#include "platform/exception.h"
#include "platform/memory_stream.h"
#include "tests/platform/scratch_folder.h"
#include "zip/dos_datetime.h"
#include "zip/unzipper.h"
#include "zip/zip_error.h"
#include "zip/zipper.h"

namespace launcher {
namespace {

namespace fs = std::filesystem;
using platform::testing::NamesIn;
using platform::testing::ReadTextFile;
using platform::testing::ScratchFolder;
using platform::testing::WriteTextFile;

// Writes an archive of the given names and contents, in order; a name ending in "/" is a
// folder entry.
void WriteArchive(const std::string& path,
                  const std::vector<std::pair<std::string, std::string>>& members) {
  std::vector<std::unique_ptr<platform::TMemoryStream>> sources;
  zip::TZipper writer;
  writer.SetFileName(path);
  for (const auto& [name, content] : members) {
    sources.push_back(std::make_unique<platform::TMemoryStream>(
        std::vector<std::uint8_t>(content.begin(), content.end())));
    writer.Entries().AddStream(*sources.back(), name);
  }
  writer.WriteArchive();
}

// Every file below `folder`, by its path relative to it with "/" separators.
std::map<std::string, std::string> FilesBelow(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) {
      files[fs::relative(entry.path(), folder).generic_string()] = ReadTextFile(entry.path());
    }
  }
  return files;
}

// What an archive holds, by name: extracted into a folder of its own.
std::map<std::string, std::string> Contents(const ScratchFolder& scratch,
                                            const std::string& archive) {
  const std::string out = scratch / "contents";
  fs::remove_all(out);
  ExtractArchive(archive, out, 0);
  return FilesBelow(out);
}

class BundleRoutinesTest : public ::testing::Test {
 protected:
  ScratchFolder scratch_;
};

TEST_F(BundleRoutinesTest, SaveResourceToFileWritesTheValueExactlyOverALongerFile) {
  using namespace std::string_view_literals;
  constexpr std::string_view kValue = "PK\0\x01value"sv;
  resources::ResourceRegistry registry;
  registry.Add(
      "korvantelprincipal", "ZIP",
      {resources::Bytes(reinterpret_cast<const std::uint8_t*>(kValue.data()), kValue.size())});
  const std::string file = scratch_ / "bundle.zip";
  WriteTextFile(file, std::string(1000, 'x'));
  SaveResourceToFile(registry, "KORVANTELPRINCIPAL", file);
  EXPECT_EQ(ReadTextFile(file), kValue);
}

TEST_F(BundleRoutinesTest, SaveResourceToFileRefusesAnUnregisteredNameBeforeCreatingTheFile) {
  resources::ResourceRegistry registry;
  const std::string file = scratch_ / "bundle.zip";
  try {
    SaveResourceToFile(registry, "korvantelprincipal", file);
    FAIL();
  } catch (const resources::EResNotFound& e) {
    EXPECT_EQ(e.Message(), "Resource \"korvantelprincipal\" not found");
  }
  EXPECT_FALSE(fs::exists(file));
}

TEST_F(BundleRoutinesTest, FolderModeExtractsUnderStoredNamesWhateverTheTargetEndsWith) {
  const std::string archive = scratch_ / "a.zip";
  WriteArchive(archive, {{"docs/", ""}, {"a.txt", "A"}, {"docs/b.txt", "B"}});
  const std::map<std::string, std::string> expected = {{"a.txt", "A"}, {"docs/b.txt", "B"}};
  for (const char* ending : {"", "\\", "/"}) {
    SCOPED_TRACE(std::string("target ending \"") + ending + "\"");
    const fs::path target = scratch_.Path() / "out";
    fs::remove_all(target);
    ExtractArchive(archive, target.string() + ending, 0);
    EXPECT_EQ(FilesBelow(target), expected);
    EXPECT_TRUE(fs::is_directory(target / "docs"));
  }
}

TEST_F(BundleRoutinesTest, SingleFileModeWritesEveryFileToTheTargetAndKeepsFolders) {
  const std::string archive = scratch_ / "a.zip";
  WriteArchive(archive, {{"docs/", ""}, {"one.txt", "first"}, {"sub/two.txt", "second"}});
  const fs::path folder = scratch_.Path() / "single";
  fs::create_directory(folder);
  ExtractArchive(archive, (folder / "data.bin").string(), 1);
  EXPECT_EQ(NamesIn(folder), (std::vector<std::string>{"data.bin", "docs"}));
  EXPECT_EQ(ReadTextFile(folder / "data.bin"), "second");

  // A later folder-mode call uses the stored names again.
  const fs::path again = scratch_.Path() / "again";
  ExtractArchive(archive, again.string(), 0);
  EXPECT_EQ(FilesBelow(again),
            (std::map<std::string, std::string>{{"one.txt", "first"}, {"sub/two.txt", "second"}}));
}

TEST_F(BundleRoutinesTest, SingleFileModeWithATrailingBackslashIsFolderMode) {
  const std::string archive = scratch_ / "a.zip";
  WriteArchive(archive, {{"one.txt", "1"}, {"two.txt", "2"}});
  const fs::path target = scratch_.Path() / "out";
  ExtractArchive(archive, target.string() + "\\", 7);
  EXPECT_EQ(FilesBelow(target),
            (std::map<std::string, std::string>{{"one.txt", "1"}, {"two.txt", "2"}}));
}

class PackFolderTest : public BundleRoutinesTest {
 protected:
  void SetUp() override {
    fs::create_directory(folder_);
    WriteTextFile(archive_, "the user's old dictionary");
  }
  std::string Folder() const { return folder_.string() + "/"; }

  const fs::path folder_ = scratch_.Path() / "vevivur";
  const std::string archive_ = scratch_ / "vevivur.zip";
};

TEST_F(PackFolderTest, PacksThePlainFilesUnderTheirBareNames) {
  WriteTextFile(folder_ / "entrades.txt", "entrada 1\n");
  WriteTextFile(folder_ / "index.idx", std::string(5000, '\7'));
  PackFolder(Folder(), archive_);
  EXPECT_EQ(NamesIn(scratch_.Path()), (std::vector<std::string>{"vevivur", "vevivur.zip"}));
  EXPECT_EQ(Contents(scratch_, archive_),
            (std::map<std::string, std::string>{{"entrades.txt", "entrada 1\n"},
                                                {"index.idx", std::string(5000, '\7')}}));
}

TEST_F(PackFolderTest, SkipsSubfolders) {
  WriteTextFile(folder_ / "entrades.txt", "e");
  fs::create_directory(folder_ / "sub");
  WriteTextFile(folder_ / "sub" / "inner.txt", "i");
  PackFolder(Folder(), archive_);
  EXPECT_EQ(Contents(scratch_, archive_),
            (std::map<std::string, std::string>{{"entrades.txt", "e"}}));
}

TEST_F(PackFolderTest, SkipsLinks) {
  WriteTextFile(scratch_.Path() / "outside.txt", "not the user's dictionary");
  WriteTextFile(folder_ / "entrades.txt", "e");
  std::error_code refused;
  fs::create_symlink(scratch_.Path() / "outside.txt", folder_ / "link.txt", refused);
  if (!refused) fs::create_directory_symlink(scratch_.Path(), folder_ / "link-folder", refused);
  if (refused) GTEST_SKIP() << "no symbolic links here: " << refused.message();
  PackFolder(Folder(), archive_);
  EXPECT_EQ(Contents(scratch_, archive_),
            (std::map<std::string, std::string>{{"entrades.txt", "e"}}));
}

TEST_F(PackFolderTest, EntriesCarryTheFilesModificationTime) {
  WriteTextFile(folder_ / "entrades.txt", "e");
  const auto when = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
  fs::last_write_time(folder_ / "entrades.txt", when);
  PackFolder(Folder(), archive_);
  zip::TUnZipper reader;
  reader.SetFileName(archive_);
  reader.SetOutputFolder(scratch_ / "out");
  reader.ExtractAll();
  ASSERT_EQ(reader.Entries().Count(), 1);
  const platform::TDateTime stored = reader.Entries().EntryAt(0).DateTime();
  // A year ago and more, not the 1980 of an entry without a date.
  EXPECT_GT(stored, platform::EncodeDate(2020, 1, 1));
}

TEST_F(PackFolderTest, AFolderWithoutFilesLeavesTheOldArchiveAsItIs) {
  fs::create_directory(folder_ / "only-a-subfolder");
  for (const std::string& folder : {Folder(), scratch_ / "missing/"}) {
    PackFolder(folder, archive_);
    EXPECT_EQ(ReadTextFile(archive_), "the user's old dictionary") << folder;
  }
}

TEST_F(PackFolderTest, AFailedPackKeepsTheOldArchiveAndLeavesNothingBehind) {
  WriteTextFile(folder_ / "entrades.txt", "e");
  // Sparse: more than a zip archive can hold, and no disk space taken.
  { std::ofstream(folder_ / "huge.idx"); }
  fs::resize_file(folder_ / "huge.idx", 4ULL << 30);
  EXPECT_THROW(PackFolder(Folder(), archive_), zip::EZipError);
  EXPECT_EQ(ReadTextFile(archive_), "the user's old dictionary");
  EXPECT_EQ(NamesIn(scratch_.Path()), (std::vector<std::string>{"vevivur", "vevivur.zip"}));
}

TEST_F(PackFolderTest, AnArchivePathThatIsAFolderFailsAndStays) {
  WriteTextFile(folder_ / "entrades.txt", "e");
  const std::string occupied = scratch_ / "occupied.zip";
  fs::create_directory(occupied);
  try {
    PackFolder(Folder(), occupied);
    FAIL();
  } catch (const platform::EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Unable to create file \"" + occupied + "\"");
  }
  EXPECT_TRUE(fs::is_directory(occupied));
  EXPECT_EQ(NamesIn(scratch_.Path()),
            (std::vector<std::string>{"occupied.zip", "vevivur", "vevivur.zip"}));
}

}  // namespace
}  // namespace launcher
