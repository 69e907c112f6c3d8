#include "zip/unzipper.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "codec_support.h"
#include "hand_archive.h"
#include "platform/datetime.h"
#include "platform/exception.h"
#include "platform/memory_stream.h"
#include "tests/platform/scratch_folder.h"
#include "zip/records.h"
#include "zip/zip_error.h"
#include "zip/zipper.h"
#include "zip_test_support.h"

namespace zip {
namespace {

namespace fs = std::filesystem;
using hand_archive::CrcOf;
using hand_archive::HandArchive;
using hand_archive::HandEntry;
using platform::testing::ReadTextFile;
using platform::testing::ScratchFolder;
using platform::testing::WriteTextFile;
using test_support::MessageOf;
using test_support::Random;
using test_support::Text;

// Every file (its content) and folder (a name ending in "/", no content) below `root`.
using Tree = std::map<std::string, std::string>;

// `path` with its "\\" separators as this host's file system takes them.
fs::path HostPath(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return fs::path(path).make_preferred();
}

Tree TreeOf(const fs::path& root) {
  Tree tree;
  std::error_code missing;
  for (auto it = fs::recursive_directory_iterator(root, missing);
       it != fs::recursive_directory_iterator(); ++it) {
    const std::string name = fs::relative(it->path(), root).generic_string();
    if (it->is_directory()) {
      tree[name + "/"] = "";
    } else {
      tree[name] = ReadTextFile(it->path());
    }
  }
  return tree;
}

class UnZipperTest : public ::testing::Test {
 protected:
  UnZipperTest() {
    OutputNameOverride.clear();
    reader_.SetOnEntryStart([this](TUnZipper& sender, const std::string& path) {
      EXPECT_EQ(&sender, &reader_);
      EXPECT_TRUE(sender.Extracting());
      EXPECT_TRUE(fs::exists(HostPath(path))) << "called before the file was created";
      started_.push_back(path);
    });
  }
  ~UnZipperTest() override { OutputNameOverride.clear(); }

  std::string ArchivePath() const { return folder_ / "in.zip"; }
  std::string OutputPath() const { return folder_ / "out"; }
  fs::path Output() const { return folder_.Path() / "out"; }

  void Save(const HandArchive& archive) { WriteTextFile(ArchivePath(), archive.Bytes()); }

  void Extract() {
    reader_.SetFileName(ArchivePath());
    reader_.SetOutputFolder(OutputPath());
    reader_.ExtractAll();
  }

  // Expects nothing to have been written anywhere but in the output folder.
  void ExpectNothingOutsideTheOutput() const {
    for (const auto& [name, content] : TreeOf(folder_.Path())) {
      EXPECT_TRUE(name == "in.zip" || name.starts_with("out/")) << name;
    }
  }

  ScratchFolder folder_;
  TUnZipper reader_;
  std::vector<std::string> started_;
};

TEST_F(UnZipperTest, StartsWithTheDescribedSettings) {
  const TUnZipper reader;
  EXPECT_EQ(reader.BufferSize(), 16384u);
  EXPECT_EQ(reader.ProgressStep(), 1);
  EXPECT_EQ(reader.FileName(), "");
  EXPECT_EQ(reader.OutputFolder(), "");
  EXPECT_FALSE(reader.Extracting());
  EXPECT_TRUE(reader.FileNames().Empty());
  EXPECT_EQ(reader.Entries().Count(), 0);
  EXPECT_FALSE(reader.OnProgress());
  EXPECT_FALSE(reader.OnEntryStart());
  EXPECT_FALSE(reader.OnEntryEnd());
}

TEST_F(UnZipperTest, ExtractsWhatTheWriterWrote) {
  const platform::TDateTime stamp =
      platform::EncodeDate(2024, 5, 17) + platform::EncodeTime(10, 30, 0, 0);
  const std::string text = Text(200000);
  const std::string random = Random(150000);
  const std::pair<std::string, std::string> members[] = {
      {"docs/", ""}, {"docs/readme.txt", text}, {"bin\\data.bin", random}, {"empty.txt", ""}};
  {
    std::vector<std::unique_ptr<platform::TMemoryStream>> streams;
    TZipper writer;
    writer.SetFileName(ArchivePath());
    for (const auto& [name, content] : members) {
      streams.push_back(std::make_unique<platform::TMemoryStream>(codec_support::BytesOf(content)));
      writer.Entries().AddStream(*streams.back(), name).SetDateTime(stamp);
    }
    writer.WriteArchive();
  }

  Extract();

  EXPECT_EQ(TreeOf(Output()), (Tree{{"bin/", ""},
                                    {"bin/data.bin", random},
                                    {"docs/", ""},
                                    {"docs/readme.txt", text},
                                    {"empty.txt", ""}}));
  EXPECT_EQ(started_.size(), 3u);
  EXPECT_FALSE(reader_.Extracting());
  ASSERT_EQ(reader_.Entries().Count(), 4);
  for (int i = 0; i < 4; ++i) {
    const TZipFileEntry& entry = reader_.Entries().EntryAt(i);
    const auto& [name, content] = members[i];
    EXPECT_EQ(entry.ArchiveFileName(), name);
    EXPECT_EQ(entry.DiskFileName(), name);
    EXPECT_EQ(entry.Size(), static_cast<std::int32_t>(content.size()));
    EXPECT_EQ(entry.DateTime(), stamp);
  }
}

// The path rules: where each entry of an archive lands.
struct PathCase {
  const char* label;
  std::vector<HandEntry> entries;
  std::string override_name;
  Tree expected;
  std::size_t files_started;
};

void PrintTo(const PathCase& c, std::ostream* out) { *out << c.label; }

class UnZipperPathTest : public UnZipperTest, public ::testing::WithParamInterface<PathCase> {};

TEST_P(UnZipperPathTest, PlacesEachEntryByTheRules) {
  const PathCase& c = GetParam();
  Save({.entries = c.entries});
  OutputNameOverride = c.override_name;
  Extract();
  EXPECT_EQ(TreeOf(Output()), c.expected);
  EXPECT_EQ(started_.size(), c.files_started);
  ExpectNothingOutsideTheOutput();
}

INSTANTIATE_TEST_SUITE_P(
    Names, UnZipperPathTest,
    ::testing::Values(
        PathCase{"NestedNameCreatesItsFolders",
                 {{.name = "a/b/c.txt", .content = "c"}},
                 "",
                 {{"a/", ""}, {"a/b/", ""}, {"a/b/c.txt", "c"}},
                 1},
        PathCase{"FolderEntryCreatesAFolderOnly",
                 {{.name = "docs/"}, {.name = "docs/deeper/"}},
                 "",
                 {{"docs/", ""}, {"docs/deeper/", ""}},
                 0},
        PathCase{"BackslashesSeparateFolders",
                 {{.name = "a\\b.txt", .content = "b"}},
                 "",
                 {{"a/", ""}, {"a/b.txt", "b"}},
                 1},
        PathCase{"DriveAndFoldersAreDroppedFromANameWithAColon",
                 {{.name = "C:\\evil\\x.dll", .content = "x"},
                  {.name = "dir/file:alt", .content = "alt"}},
                 "",
                 {{"x.dll", "x"}, {"alt", "alt"}},
                 2},
        PathCase{"LeadingSeparatorStaysInsideTheOutputFolder",
                 {{.name = "/rooted.txt", .content = "r"},
                  {.name = "\\\\server\\s.txt", .content = "s"}},
                 "",
                 {{"rooted.txt", "r"}, {"server/", ""}, {"server/s.txt", "s"}},
                 2},
        PathCase{"EmptyStoredEntryGivesAnEmptyFile",
                 {{.name = "empty"}, {.name = "deflated empty", .method = kMethodDeflated}},
                 "",
                 {{"empty", ""}, {"deflated empty", ""}},
                 2},
        PathCase{"OverrideNamesEveryFileButNoFolder",
                 {{.name = "f/"},
                  {.name = "one.txt", .content = "first"},
                  {.name = "sub/two.txt", .content = "second", .method = kMethodDeflated}},
                 "data.bin",
                 {{"f/", ""}, {"data.bin", "second"}},
                 2}),
    [](const ::testing::TestParamInfo<PathCase>& test) { return std::string(test.param.label); });

TEST_F(UnZipperTest, FileNamesSelectEntriesWithoutRegardToCase) {
  Save({.entries = {{.name = "readme.txt", .content = "read me"},
                    {.name = "other.txt", .content = "other"}}});
  reader_.FileNames().Add("README.TXT");
  Extract();
  EXPECT_EQ(TreeOf(Output()), (Tree{{"readme.txt", "read me"}}));
  ASSERT_EQ(reader_.Entries().Count(), 2);
  // The entry that was not selected keeps what the central directory gave it.
  const TZipFileEntry& other = reader_.Entries().EntryAt(1);
  EXPECT_EQ(other.ArchiveFileName(), "other.txt");
  EXPECT_EQ(other.DiskFileName(), "");
  EXPECT_EQ(other.HeaderOffset(), 30 + 10 + 7);
  EXPECT_EQ(other.Size(), 0);
}

TEST_F(UnZipperTest, FileNamesThatMatchNothingExtractNothing) {
  Save({.entries = {{.name = "readme.txt", .content = "read me"}}});
  reader_.FileNames().Add("missing.txt");
  Extract();
  EXPECT_FALSE(fs::exists(Output()));
  EXPECT_EQ(reader_.Entries().Count(), 1);
}

TEST_F(UnZipperTest, AnArchiveOfOnlyAnEndRecordExtractsNothing) {
  Save({});
  Extract();
  EXPECT_FALSE(fs::exists(Output()));
  EXPECT_EQ(reader_.Entries().Count(), 0);
}

TEST_F(UnZipperTest, ASecondRunExtractsEachEntryOnce) {
  Save({.entries = {{.name = "a.txt", .content = "a"}, {.name = "b.txt", .content = "b"}}});
  Extract();
  reader_.ExtractAll();
  EXPECT_EQ(started_.size(), 4u);
  EXPECT_EQ(reader_.Entries().Count(), 2);
  EXPECT_EQ(TreeOf(Output()), (Tree{{"a.txt", "a"}, {"b.txt", "b"}}));
}

TEST_F(UnZipperTest, WithoutAnOutputFolderTheCurrentFolderReceivesTheEntries) {
  Save({.entries = {{.name = "f/"},
                    {.name = "f/x.txt", .content = "x"},
                    {.name = "/y.txt", .content = "y"}}});
  fs::create_directory(Output());
  const fs::path previous = fs::current_path();
  fs::current_path(Output());
  reader_.SetFileName(ArchivePath());
  EXPECT_NO_THROW(reader_.ExtractAll());
  fs::current_path(previous);
  EXPECT_EQ(TreeOf(Output()), (Tree{{"f/", ""}, {"f/x.txt", "x"}, {"y.txt", "y"}}));
  ExpectNothingOutsideTheOutput();
}

// Archives whose records do not fit them: refused before anything is extracted.
struct CorruptCase {
  const char* label;
  std::function<std::string()> bytes;
};

void PrintTo(const CorruptCase& c, std::ostream* out) { *out << c.label; }

class UnZipperCorruptArchiveTest : public UnZipperTest,
                                   public ::testing::WithParamInterface<CorruptCase> {};

TEST_P(UnZipperCorruptArchiveTest, IsRefusedBeforeAnythingIsExtracted) {
  WriteTextFile(ArchivePath(), GetParam().bytes());
  const std::string message = MessageOf<EZipError>([&] { Extract(); });
  EXPECT_EQ(message, "Corrupt ZIP file " + ArchivePath());
  EXPECT_FALSE(fs::exists(Output()));
  EXPECT_FALSE(reader_.Extracting());
}

// A good first entry, so that a refusal after it would show as its file.
HandArchive WithFirst(HandEntry entry) {
  return {.entries = {{.name = "first.txt", .content = "first"}, std::move(entry)}};
}

std::function<std::string()> Built(HandArchive archive) {
  return [archive] { return archive.Bytes(); };
}

std::function<std::string()> WithEnd(std::function<void(EndOfCentralDirectory&)> edit) {
  HandArchive archive = WithFirst({.name = "second.txt", .content = "second"});
  archive.edit_end = std::move(edit);
  return Built(archive);
}

std::function<std::string()> WithCentral(std::function<void(CentralFileHeader&)> edit) {
  return Built(WithFirst({.name = "second.txt", .content = "second", .edit_central = edit}));
}

INSTANTIATE_TEST_SUITE_P(
    Records, UnZipperCorruptArchiveTest,
    ::testing::Values(
        CorruptCase{"Empty", [] { return std::string(); }},
        CorruptCase{"ShorterThanAnEndRecord", [] { return HandArchive{}.Bytes().substr(1); }},
        CorruptCase{"ArchiveComment",
                    [] {
                      return HandArchive{.entries = {{.name = "a", .content = "a"}},
                                         .trailer = "hello"}
                          .Bytes();
                    }},
        CorruptCase{"TrailingByte",
                    [] { return WithFirst({.name = "b", .content = "b"}).Bytes() + "x"; }},
        CorruptCase{"EndRecordWithoutItsSignature", WithEnd([](auto& end) { end.signature = 0; })},
        CorruptCase{"DirectoryOffsetPastTheEnd",
                    WithEnd([](auto& end) { end.directory_offset = 0x10000; })},
        CorruptCase{"DirectoryOffsetNear4GiB",
                    WithEnd([](auto& end) { end.directory_offset = 0xFFFFFFF0; })},
        CorruptCase{"MoreRecordsCountedThanThereAre",
                    WithEnd([](auto& end) { end.disk_entries = 3; })},
        CorruptCase{"CentralRecordWithoutItsSignature",
                    WithCentral([](auto& central) { central.signature = 0x04034B50; })},
        CorruptCase{"CentralNamePastTheEnd",
                    WithCentral([](auto& central) { central.file_name_length = 0x8000; })},
        CorruptCase{"CentralCommentPastTheEnd",
                    WithCentral([](auto& central) { central.file_comment_length = 0xFFFF; })},
        CorruptCase{"EmptyCentralName", Built(WithFirst({.name = "", .local_name = "named"}))},
        CorruptCase{"LocalHeaderPastTheEnd",
                    WithCentral([](auto& central) { central.local_header_offset = 0x10000; })},
        // 0xFFFFFFF0 + 30 wraps round to 14 in 32 bits.
        CorruptCase{"LocalHeaderOffsetThatWrapsRound",
                    WithCentral([](auto& central) { central.local_header_offset = 0xFFFFFFF0; })},
        CorruptCase{"CompressedSizePastTheEnd",
                    WithCentral([](auto& central) { central.compressed_size = 0xFFFFFFF0; })}),
    [](const ::testing::TestParamInfo<CorruptCase>& test) {
      return std::string(test.param.label);
    });

// Local headers that do not fit: the entries before stay, the refused entry's file is not made.
class UnZipperCorruptLocalTest : public UnZipperTest,
                                 public ::testing::WithParamInterface<CorruptCase> {};

TEST_P(UnZipperCorruptLocalTest, IsRefusedBeforeTheEntrysFileIsCreated) {
  WriteTextFile(ArchivePath(), GetParam().bytes());
  const std::string message = MessageOf<EZipError>([&] { Extract(); });
  EXPECT_EQ(message, "Corrupt ZIP file " + ArchivePath());
  EXPECT_EQ(TreeOf(Output()), (Tree{{"first.txt", "first"}}));
  EXPECT_EQ(started_.size(), 1u);
}

std::function<std::string()> WithLocal(std::function<void(LocalFileHeader&)> edit) {
  return Built(WithFirst({.name = "second.txt", .content = "second", .edit_local = edit}));
}

INSTANTIATE_TEST_SUITE_P(
    Records, UnZipperCorruptLocalTest,
    ::testing::Values(
        CorruptCase{"LocalHeaderWithoutItsSignature",
                    WithLocal([](auto& local) { local.signature = 0x02014B50; })},
        CorruptCase{"EmptyLocalName",
                    Built(WithFirst({.name = "second.txt", .content = "x", .local_name = ""}))},
        CorruptCase{"StoredSizePastTheEnd",
                    WithLocal([](auto& local) { local.compressed_size = 0x10000; })},
        // With 32-bit sums the data's end would wrap round to a place inside the archive.
        CorruptCase{"StoredSizeThatWrapsRound",
                    WithLocal([](auto& local) { local.compressed_size = 0xFFFFFFF0; })},
        CorruptCase{"ExtraFieldPastTheEnd",
                    WithLocal([](auto& local) { local.extra_field_length = 0xFFFF; })}),
    [](const ::testing::TestParamInfo<CorruptCase>& test) {
      return std::string(test.param.label);
    });

// Entries whose bytes disagree with their central record: the output file goes again.
struct CorruptEntryCase {
  const char* label;
  HandEntry entry;  // named "second.txt"
};

void PrintTo(const CorruptEntryCase& c, std::ostream* out) { *out << c.label; }

class UnZipperCorruptEntryTest : public UnZipperTest,
                                 public ::testing::WithParamInterface<CorruptEntryCase> {};

TEST_P(UnZipperCorruptEntryTest, DeletesTheOutputAndRefusesTheEntry) {
  Save(WithFirst(GetParam().entry));
  const std::string message = MessageOf<EZipError>([&] { Extract(); });
  EXPECT_EQ(message, "Corrupt entry \"second.txt\" in ZIP file " + ArchivePath());
  EXPECT_EQ(TreeOf(Output()), (Tree{{"first.txt", "first"}}));
  EXPECT_EQ(started_.size(), 2u) << "the file was created, then deleted";
  EXPECT_FALSE(reader_.Extracting());
}

const std::string& SecondContent() {
  static const std::string content = Text(50000, 2);
  return content;
}

HandEntry Second(std::uint16_t method, std::function<void(CentralFileHeader&)> edit) {
  return {.name = "second.txt", .content = SecondContent(), .method = method, .edit_central = edit};
}

INSTANTIATE_TEST_SUITE_P(
    Entries, UnZipperCorruptEntryTest,
    ::testing::Values(
        CorruptEntryCase{"StoredWithAWrongCrc",
                         Second(kMethodStored, [](auto& central) { central.crc32 ^= 1; })},
        CorruptEntryCase{"DeflatedWithAWrongCrc",
                         Second(kMethodDeflated, [](auto& central) { central.crc32 ^= 1; })},
        CorruptEntryCase{
            "StoredLargerThanRecorded",
            Second(kMethodStored, [](auto& central) { central.uncompressed_size -= 1; })},
        CorruptEntryCase{
            "DeflatedLargerThanRecorded",
            Second(kMethodDeflated, [](auto& central) { central.uncompressed_size = 1000; })},
        CorruptEntryCase{
            "StoredSmallerThanRecorded",
            Second(kMethodStored, [](auto& central) { central.uncompressed_size += 1; })},
        CorruptEntryCase{
            "DeflatedSmallerThanRecorded",
            Second(kMethodDeflated, [](auto& central) { central.uncompressed_size += 1; })},
        // The local header agrees with the damaged bytes; the central record rules.
        CorruptEntryCase{"LocalHeaderAgreesButNotTheCentralRecord",
                         {.name = "second.txt",
                          .content = "second",
                          .edit_local = [](auto& local) { local.crc32 = CrcOf("secoNd"); },
                          .data = "secoNd"}}),
    [](const ::testing::TestParamInfo<CorruptEntryCase>& test) {
      return std::string(test.param.label);
    });

// Archives of other writers: only the central record is trusted for sizes and CRC-32.
struct CentralRulesCase {
  const char* label;
  HandEntry entry;
};

void PrintTo(const CentralRulesCase& c, std::ostream* out) { *out << c.label; }

class UnZipperCentralRulesTest : public UnZipperTest,
                                 public ::testing::WithParamInterface<CentralRulesCase> {};

TEST_P(UnZipperCentralRulesTest, ExtractsTheEntryExactly) {
  Save(WithFirst(GetParam().entry));
  Extract();
  EXPECT_EQ(TreeOf(Output()), (Tree{{"first.txt", "first"}, {"second.txt", SecondContent()}}));
}

// The 16 bytes a writer that does not know the sizes in advance puts after the data.
std::string DataDescriptor(std::uint32_t crc, std::uint32_t compressed, std::uint32_t size) {
  std::array<std::uint8_t, 16> bytes{};
  StoreU32(bytes, 0, 0x08074B50);
  StoreU32(bytes, 4, crc);
  StoreU32(bytes, 8, compressed);
  StoreU32(bytes, 12, size);
  return {bytes.begin(), bytes.end()};
}

void AsDataDescriptorWriterLeavesIt(LocalFileHeader& local) {
  local.flags |= 8;
  local.crc32 = 0;
  local.compressed_size = 0;
  local.uncompressed_size = 0;
}

// The builder counts all data bytes; the descriptor is not part of the compressed data.
void WithoutTheDescriptor(CentralFileHeader& central) { central.compressed_size -= 16; }

INSTANTIATE_TEST_SUITE_P(
    Writers, UnZipperCentralRulesTest,
    ::testing::Values(
        CentralRulesCase{"LocalCrcAndSizeWrong",
                         {.name = "second.txt",
                          .content = SecondContent(),
                          .method = kMethodDeflated,
                          .edit_local =
                              [](auto& local) {
                                local.crc32 = 0;
                                local.uncompressed_size = 7;
                              }}},
        CentralRulesCase{
            "DeflatedWithADataDescriptor",
            {.name = "second.txt",
             .content = SecondContent(),
             .method = kMethodDeflated,
             .edit_local = AsDataDescriptorWriterLeavesIt,
             .edit_central = WithoutTheDescriptor,
             .data = hand_archive::Deflated(SecondContent()) +
                     DataDescriptor(
                         CrcOf(SecondContent()),
                         static_cast<std::uint32_t>(hand_archive::Deflated(SecondContent()).size()),
                         static_cast<std::uint32_t>(SecondContent().size()))}},
        // The stored size then comes from the central record.
        CentralRulesCase{
            "StoredWithADataDescriptor",
            {.name = "second.txt",
             .content = SecondContent(),
             .edit_local = AsDataDescriptorWriterLeavesIt,
             .edit_central = WithoutTheDescriptor,
             .data = SecondContent() +
                     DataDescriptor(CrcOf(SecondContent()),
                                    static_cast<std::uint32_t>(SecondContent().size()),
                                    static_cast<std::uint32_t>(SecondContent().size()))}},
        CentralRulesCase{"ExtraFieldsAndAComment",
                         {.name = "second.txt",
                          .content = SecondContent(),
                          .method = kMethodDeflated,
                          .local_extra = std::string("\x55\x54\x05\x00\x01\x02\x03\x04\x05", 9),
                          .central_extra = std::string("\x55\x54\x01\x00\x07", 5),
                          .comment = "a file comment"}}),
    [](const ::testing::TestParamInfo<CentralRulesCase>& test) {
      return std::string(test.param.label);
    });

// Names that lead out of the output folder.
class UnZipperUnsafeNameTest : public UnZipperTest,
                               public ::testing::WithParamInterface<const char*> {};

TEST_P(UnZipperUnsafeNameTest, IsRefusedBeforeAnythingIsExtracted) {
  const std::string name = GetParam();
  Save(WithFirst({.name = name, .content = "escaped"}));
  fs::create_directories(Output() / "inner");
  reader_.SetFileName(ArchivePath());
  reader_.SetOutputFolder(folder_ / "out/inner");
  const std::string message = MessageOf<EZipError>([&] { reader_.ExtractAll(); });
  EXPECT_EQ(message, "Unsafe entry name \"" + name + "\" in ZIP file " + ArchivePath());
  EXPECT_EQ(TreeOf(Output()), (Tree{{"inner/", ""}}));
  ExpectNothingOutsideTheOutput();
}

INSTANTIATE_TEST_SUITE_P(Names, UnZipperUnsafeNameTest,
                         ::testing::Values("../x.txt", "..\\x.txt", "a/../../x.txt",
                                           "a\\..\\..\\x.txt", "..", "a/..", "../", "../b/",
                                           "a/b/../../../c/"));

TEST_F(UnZipperTest, AnUnsafeNameInTheLocalHeaderAloneIsRefusedToo) {
  Save(WithFirst({.name = "x.txt", .content = "escaped", .local_name = "../x.txt"}));
  fs::create_directories(Output() / "inner");
  reader_.SetFileName(ArchivePath());
  reader_.SetOutputFolder(folder_ / "out/inner");
  const std::string message = MessageOf<EZipError>([&] { reader_.ExtractAll(); });
  EXPECT_EQ(message, "Unsafe entry name \"../x.txt\" in ZIP file " + ArchivePath());
  EXPECT_EQ(TreeOf(Output()), (Tree{{"inner/", ""}, {"inner/first.txt", "first"}}));
  ExpectNothingOutsideTheOutput();
}

TEST_F(UnZipperTest, AnUnsupportedMethodLeavesAnEmptyFile) {
  Save({.entries = {{.name = "odd.bin", .content = "odd", .method = 12}}});
  const std::string message = MessageOf<EZipError>([&] { Extract(); });
  EXPECT_EQ(message, "Unsupported compression format 12");
  EXPECT_EQ(TreeOf(Output()), (Tree{{"odd.bin", ""}}));
}

TEST_F(UnZipperTest, AnImpossibleDateFailsBeforeTheFileIsCreated) {
  Save({.entries = {{.name = "a.txt", .content = "a", .edit_local = [](auto& local) {
                       local.last_mod_date = 0;
                     }}}});
  const std::string message = MessageOf<platform::EConvertError>([&] { Extract(); });
  EXPECT_EQ(message, "1980-0-0 is not a valid date specification");
  EXPECT_FALSE(fs::exists(Output()));
}

TEST_F(UnZipperTest, ANameEndingInABackslashIsAFileThatCannotBeCreated) {
  Save({.entries = {{.name = "a\\", .content = "a"}}});
  const std::string message = MessageOf<platform::EFCreateError>([&] { Extract(); });
  EXPECT_EQ(message, "Unable to create file \"" + OutputPath() + "\\a\\\"");
}

TEST_F(UnZipperTest, AMissingArchiveCannotBeOpened) {
  const std::string message = MessageOf<platform::EFOpenError>([&] { Extract(); });
  EXPECT_EQ(message, "Unable to open file \"" + ArchivePath() + "\"");
  EXPECT_FALSE(reader_.Extracting());
}

TEST_F(UnZipperTest, PathsCannotChangeWhileExtracting) {
  Save({.entries = {{.name = "a.txt", .content = "a"}, {.name = "b.txt", .content = "b"}}});
  std::string caught;
  reader_.SetOnEntryStart([&](TUnZipper& sender, const std::string& path) {
    if (path.ends_with("a.txt")) {
      try {
        sender.SetFileName("other.zip");
      } catch (const EZipError& failure) {
        caught = failure.Message();
      }
    } else {
      sender.SetOutputFolder("elsewhere");
    }
  });
  const std::string message = MessageOf<EZipError>([&] { Extract(); });
  EXPECT_EQ(caught, "Changing output file name is not allowed while (un)zipping");
  EXPECT_EQ(message, caught);
  EXPECT_EQ(reader_.FileName(), ArchivePath());
  EXPECT_EQ(reader_.OutputFolder(), OutputPath());
  EXPECT_FALSE(reader_.Extracting());
  // The file whose handler raised stays, as created.
  EXPECT_EQ(TreeOf(Output()), (Tree{{"a.txt", "a"}, {"b.txt", ""}}));
}

TEST_F(UnZipperTest, ClearEmptiesFileNamesAndEntries) {
  Save({.entries = {{.name = "a.txt", .content = "a"}}});
  Extract();
  reader_.FileNames().Add("a.txt");
  reader_.Clear();
  EXPECT_TRUE(reader_.FileNames().Empty());
  EXPECT_EQ(reader_.Entries().Count(), 0);
}

}  // namespace
}  // namespace zip
