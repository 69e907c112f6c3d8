#include "zip/zipper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "codec_support.h"
#include "hand_archive.h"
#include "platform/datetime.h"
#include "platform/exception.h"
#include "platform/file_stream.h"
#include "platform/memory_stream.h"
#include "platform/native.h"
#include "tests/platform/scratch_folder.h"
#include "zip/codec.h"
#include "zip/records.h"
#include "zip/zip_error.h"
#include "zip_test_support.h"

namespace zip {
namespace {

namespace fs = std::filesystem;
using hand_archive::CrcOf;
using hand_archive::Layout;
using hand_archive::LayOut;
using platform::testing::ReadTextFile;
using platform::testing::ScratchFolder;
using platform::testing::WriteTextFile;
using test_support::MessageOf;
using test_support::Random;
using test_support::Text;

constexpr std::int64_t kLargestSize = std::numeric_limits<std::int32_t>::max();

std::unique_ptr<platform::TMemoryStream> StreamOf(const std::string& content) {
  return std::make_unique<platform::TMemoryStream>(codec_support::BytesOf(content));
}

// A stream that claims a size without holding the bytes; it reads as zeros.
class SizedStream : public platform::TStream {
 public:
  explicit SizedStream(std::int64_t size) : size_(size) {}
  std::size_t Read(void* buffer, std::size_t count) override {
    const auto n = static_cast<std::size_t>(std::min<std::int64_t>(
        static_cast<std::int64_t>(count), std::max<std::int64_t>(0, size_ - position_)));
    std::fill_n(static_cast<char*>(buffer), n, '\0');
    position_ += static_cast<std::int64_t>(n);
    return n;
  }
  std::size_t Write(const void*, std::size_t) override { return 0; }
  std::int64_t Seek(std::int64_t offset, platform::SeekOrigin origin) override {
    const std::int64_t base = origin == platform::SeekOrigin::kBeginning ? 0
                              : origin == platform::SeekOrigin::kCurrent ? position_
                                                                         : size_;
    position_ = base + offset;
    return position_;
  }

 private:
  std::int64_t size_;
  std::int64_t position_ = 0;
};

// Stands in for the deflater: `compress` plays its run over the source and the holding stream.
class ScriptedCompressor : public TCompressor {
 public:
  using Script = std::function<void(platform::TStream& source, platform::TStream& holding)>;
  ScriptedCompressor(platform::TStream& source, platform::TStream& holding, Script script)
      : TCompressor(source, holding, 16384), script_(std::move(script)) {}
  void Compress() override { script_(Source(), Sink()); }
  std::uint16_t MethodCode() const override { return kMethodDeflated; }

 private:
  Script script_;
};

// A writer whose compressors can be replaced, per entry name, by scripted ones.
class ScriptedZipper : public TZipper {
 public:
  std::function<void(TZipFileEntry&)> on_make_compressor;
  std::map<std::string, ScriptedCompressor::Script> scripts;

 protected:
  std::unique_ptr<TCompressor> MakeCompressor(TZipFileEntry& entry, platform::TStream& source,
                                              platform::TStream& holding) override {
    if (on_make_compressor) on_make_compressor(entry);
    const auto script = scripts.find(entry.ArchiveFileName());
    if (script == scripts.end()) return TZipper::MakeCompressor(entry, source, holding);
    return std::make_unique<ScriptedCompressor>(source, holding, script->second);
  }
};

class ZipperTest : public ::testing::Test {
 protected:
  ZipperTest() { writer_.SetFileName(ArchivePath()); }

  std::string ArchivePath() const { return folder_ / "out.zip"; }
  std::string HoldingPath() const { return folder_ / "out.tmp2"; }
  std::string Written() const { return ReadTextFile(ArchivePath()); }

  // Adds a stream entry whose stream the fixture keeps alive.
  TZipFileEntry& AddStream(const std::string& name, const std::string& content) {
    streams_.push_back(StreamOf(content));
    return writer_.Entries().AddStream(*streams_.back(), name);
  }

  ScratchFolder folder_;
  std::vector<std::unique_ptr<platform::TStream>> streams_;
  ScriptedZipper writer_;
};

TEST_F(ZipperTest, StartsWithTheDescribedSettings) {
  const TZipper writer;
  EXPECT_EQ(writer.Entries().Count(), 0);
  EXPECT_TRUE(writer.FileNames().empty());
  EXPECT_EQ(writer.FileName(), "");
  EXPECT_FALSE(writer.Writing());
  EXPECT_EQ(writer.BufferSize(), 16384u);
  EXPECT_EQ(writer.InMemoryLimit(), 10'240'000);
  EXPECT_EQ(writer.ProgressStep(), 1);
  EXPECT_FALSE(writer.OnProgress());
  EXPECT_FALSE(writer.OnEntryStart());
  EXPECT_FALSE(writer.OnEntryEnd());
}

TEST_F(ZipperTest, WithNothingToWriteNoFileIsTouched) {
  writer_.WriteArchive();
  EXPECT_FALSE(fs::exists(ArchivePath()));

  WriteTextFile(ArchivePath(), "older archive");
  writer_.WriteArchive();
  EXPECT_EQ(Written(), "older archive");
}

TEST_F(ZipperTest, WritesLocalEntriesThenTheDirectoryReadBackFromThem) {
  const platform::TDateTime stamp =
      platform::EncodeDate(2015, 7, 11) + platform::EncodeTime(13, 45, 31, 600);
  const std::string text = Text(20000);
  const std::string random = Random(3000);
  AddStream("docs/a.txt", text).SetDateTime(stamp);
  AddStream("b.bin", random).SetDateTime(stamp);
  AddStream("empty", "").SetDateTime(stamp);
  std::vector<std::string> started;
  writer_.SetOnEntryStart([&](TZipper& sender, const std::string& name) {
    EXPECT_EQ(&sender, &writer_);
    EXPECT_TRUE(sender.Writing());
    started.push_back(name);
  });

  writer_.WriteArchive();

  EXPECT_FALSE(writer_.Writing());
  EXPECT_EQ(started, (std::vector<std::string>{"docs/a.txt", "b.bin", "empty"}));
  const std::string archive = Written();
  const Layout layout = LayOut(archive);
  ASSERT_EQ(layout.entries.size(), 3u);
  const std::string contents[] = {text, random, ""};
  const std::uint16_t methods[] = {kMethodDeflated, kMethodStored, kMethodStored};
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const hand_archive::LaidOutEntry& entry = layout.entries[i];
    const LocalFileHeader& local = entry.local;
    EXPECT_EQ(local.version_needed, 10);
    EXPECT_EQ(local.flags, 0);
    EXPECT_EQ(local.compression_method, methods[i]);
    EXPECT_EQ(local.last_mod_time, 0x6DAF);
    EXPECT_EQ(local.last_mod_date, 0x46EB);
    EXPECT_EQ(local.crc32, CrcOf(contents[i]));
    EXPECT_EQ(local.uncompressed_size, contents[i].size());
    EXPECT_EQ(local.extra_field_length, 0);
    EXPECT_EQ(entry.local_name, writer_.Entries().EntryAt(static_cast<int>(i)).ArchiveFileName());
    EXPECT_EQ(entry.Content(), contents[i]);
    EXPECT_EQ(writer_.Entries().EntryAt(static_cast<int>(i)).Size(),
              static_cast<std::int32_t>(contents[i].size()));

    const CentralFileHeader& central = entry.central;
    EXPECT_EQ(central.signature, CentralFileHeader::kSignature);
    EXPECT_EQ(central.version_made_by, 10);
    EXPECT_EQ(central.version_needed, local.version_needed);
    EXPECT_EQ(central.flags, local.flags);
    EXPECT_EQ(central.compression_method, local.compression_method);
    EXPECT_EQ(central.last_mod_time, local.last_mod_time);
    EXPECT_EQ(central.last_mod_date, local.last_mod_date);
    EXPECT_EQ(central.crc32, local.crc32);
    EXPECT_EQ(central.compressed_size, local.compressed_size);
    EXPECT_EQ(central.uncompressed_size, local.uncompressed_size);
    EXPECT_EQ(central.file_name_length, local.file_name_length);
    EXPECT_EQ(central.extra_field_length, 0);
    EXPECT_EQ(central.file_comment_length, 0);
    EXPECT_EQ(central.disk_number_start, 0);
    EXPECT_EQ(central.internal_attributes, 0);
    EXPECT_EQ(central.external_attributes, 0x20u);
    EXPECT_EQ(central.local_header_offset, entry.offset);
    EXPECT_EQ(entry.central_name, entry.local_name);
  }
  EXPECT_EQ(layout.end.signature, EndOfCentralDirectory::kSignature);
  EXPECT_EQ(layout.end.disk_number, 0);
  EXPECT_EQ(layout.end.directory_disk, 0);
  EXPECT_EQ(layout.end.disk_entries, 3);
  EXPECT_EQ(layout.end.total_entries, 3);
  EXPECT_EQ(layout.end.directory_offset, layout.directory_start);
  EXPECT_EQ(layout.end.directory_size, archive.size() - EndOfCentralDirectory::kSize -
                                           static_cast<std::size_t>(layout.directory_start));
  EXPECT_EQ(layout.end.comment_length, 0);
}

struct MethodCase {
  const char* label;
  std::string content;
  std::uint16_t method;
};

void PrintTo(const MethodCase& c, std::ostream* out) { *out << c.label; }

class ZipperMethodTest : public ZipperTest, public ::testing::WithParamInterface<MethodCase> {};

TEST_P(ZipperMethodTest, StoresAnEntryThatDeflatingDoesNotShrink) {
  const MethodCase& c = GetParam();
  AddStream("entry", c.content);
  writer_.WriteArchive();
  const Layout layout = LayOut(Written());
  ASSERT_EQ(layout.entries.size(), 1u);
  const LocalFileHeader& local = layout.entries[0].local;
  EXPECT_EQ(local.compression_method, c.method);
  EXPECT_EQ(local.crc32, CrcOf(c.content));
  EXPECT_EQ(local.uncompressed_size, c.content.size());
  if (c.method == kMethodStored) {
    EXPECT_EQ(local.compressed_size, c.content.size());
    EXPECT_EQ(layout.entries[0].data, c.content);
  } else {
    EXPECT_LT(local.compressed_size, c.content.size());
  }
  EXPECT_EQ(layout.entries[0].Content(), c.content);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, ZipperMethodTest,
    ::testing::Values(MethodCase{"Empty", "", kMethodStored},
                      MethodCase{"OneByte", "x", kMethodStored},
                      MethodCase{"Incompressible", Random(5000), kMethodStored},
                      MethodCase{"Text", Text(5000), kMethodDeflated},
                      // Larger than a compressor chunk and the copy block.
                      MethodCase{"LongText", Text(300000), kMethodDeflated},
                      MethodCase{"LongRandom", Random(300000), kMethodStored}),
    [](const ::testing::TestParamInfo<MethodCase>& test) { return std::string(test.param.label); });

TEST_F(ZipperTest, StoresNamesByteForByteCutAt255Bytes) {
  const std::string long_name = "C:\\data\\" + std::string(292, 'n');
  AddStream(long_name, "long");
  AddStream("/lead\\back\\slash", "kept");
  writer_.WriteArchive();
  const Layout layout = LayOut(Written());
  ASSERT_EQ(layout.entries.size(), 2u);
  EXPECT_EQ(layout.entries[0].local_name, long_name.substr(0, 255));
  EXPECT_EQ(layout.entries[0].local.file_name_length, 255);
  EXPECT_EQ(layout.entries[0].central_name, long_name.substr(0, 255));
  EXPECT_EQ(layout.entries[0].central.file_name_length, 255);
  EXPECT_EQ(layout.entries[1].local_name, "/lead\\back\\slash");
}

TEST_F(ZipperTest, NamesComeFromTheEntryAndEveryEntryIsWrittenInOrder) {
  AddStream("dup", "first");
  AddStream("dup", "second");
  // A stream entry named only by its DiskFileName takes its bytes from the stream.
  AddStream("", "from the stream").SetDiskFileName("C:\\data\\a.txt");
  writer_.WriteArchive();
  const Layout layout = LayOut(Written());
  ASSERT_EQ(layout.entries.size(), 3u);
  EXPECT_EQ(layout.entries[0].local_name, "dup");
  EXPECT_EQ(layout.entries[0].Content(), "first");
  EXPECT_EQ(layout.entries[1].local_name, "dup");
  EXPECT_EQ(layout.entries[1].Content(), "second");
  EXPECT_EQ(layout.entries[2].local_name, "C:\\data\\a.txt");
  EXPECT_EQ(layout.entries[2].Content(), "from the stream");
}

TEST_F(ZipperTest, RewindsASourceStreamBeforeCompressingIt) {
  const std::string content = Text(10000);
  AddStream("text", content);
  streams_.back()->SetPosition(4000);
  AddStream("random", Random(2000));
  streams_.back()->SetPosition(1999);
  writer_.WriteArchive();
  const Layout layout = LayOut(Written());
  ASSERT_EQ(layout.entries.size(), 2u);
  EXPECT_EQ(layout.entries[0].Content(), content);
  EXPECT_EQ(layout.entries[0].local.crc32, CrcOf(content));
  EXPECT_EQ(layout.entries[1].Content(), Random(2000));
  EXPECT_EQ(layout.entries[1].local.crc32, CrcOf(Random(2000)));
}

TEST_F(ZipperTest, ListedFileNamesBecomeDiskEntriesNamedAsListed) {
  fs::create_directories(folder_.Path() / "sub");
  WriteTextFile(folder_.Path() / "one.txt", "one");
  WriteTextFile(folder_.Path() / "sub" / "two.txt", "two two");
  const std::string one = folder_ / "one.txt";
  const std::string two = folder_ / "sub\\two.txt";
  ASSERT_TRUE(platform::SetLastWriteTime(
      one, platform::Encoding::kSystemCodePage,
      platform::EncodeDate(2021, 3, 4) + platform::EncodeTime(5, 6, 7, 800)));
  writer_.FileNames() = {one, two};

  writer_.WriteArchive();

  ASSERT_EQ(writer_.Entries().Count(), 2);
  const TZipFileEntry& first = writer_.Entries().EntryAt(0);
  EXPECT_EQ(first.DiskFileName(), one);
  EXPECT_EQ(first.Size(), 3);
  // The file's time at the resolution of a DOS time: 2 seconds.
  EXPECT_EQ(first.DateTime(), platform::EncodeDate(2021, 3, 4) + platform::EncodeTime(5, 6, 6, 0));
  const Layout layout = LayOut(Written());
  ASSERT_EQ(layout.entries.size(), 2u);
  EXPECT_EQ(layout.entries[0].local_name, one);
  EXPECT_EQ(layout.entries[0].local.last_mod_time, (5 << 11) | (6 << 5) | 3);
  EXPECT_EQ(layout.entries[0].Content(), "one");
  EXPECT_EQ(layout.entries[1].local_name, two);
  EXPECT_EQ(layout.entries[1].Content(), "two two");
}

TEST_F(ZipperTest, EntriesOutrankFileNames) {
  AddStream("streamed", "bytes");
  writer_.FileNames() = {folder_ / "missing.txt"};
  writer_.WriteArchive();
  const Layout layout = LayOut(Written());
  ASSERT_EQ(layout.entries.size(), 1u);
  EXPECT_EQ(layout.entries[0].local_name, "streamed");
}

TEST_F(ZipperTest, DescribesTheBytesItCompressedEvenWhenTheFileWasFoundAsALink) {
  WriteTextFile(folder_.Path() / "target.txt", Text(5000));
  std::error_code refused;
  fs::create_symlink(folder_.Path() / "target.txt", folder_.Path() / "link.txt", refused);
  if (refused) GTEST_SKIP() << "no symbolic links here: " << refused.message();
  // The search describes the link itself, whose size is not the file's.
  writer_.Entries().AddDiskFile(folder_ / "link.txt").SetArchiveFileName("link.txt");
  writer_.WriteArchive();
  const Layout layout = LayOut(Written());
  ASSERT_EQ(layout.entries.size(), 1u);
  EXPECT_EQ(layout.entries[0].local.uncompressed_size, 5000u);
  EXPECT_EQ(layout.entries[0].Content(), Text(5000));
  EXPECT_EQ(writer_.Entries().EntryAt(0).Size(), 5000);
}

struct LimitCase {
  const char* label;
  std::size_t size;
  bool in_a_file;
};

void PrintTo(const LimitCase& c, std::ostream* out) { *out << c.label; }

class ZipperHoldingTest : public ZipperTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(ZipperHoldingTest, HoldsTheDeflatedBytesInAFileBesideTheArchiveAboveTheLimit) {
  const LimitCase& c = GetParam();
  WriteTextFile(HoldingPath(), "an older file of the holding file's name");
  bool held_in_a_file = false;
  writer_.on_make_compressor = [&](TZipFileEntry&) {
    held_in_a_file = fs::exists(HoldingPath()) && fs::file_size(HoldingPath()) == 0;
  };
  const std::string zeros(c.size, '\0');
  AddStream("zeros", zeros);

  writer_.WriteArchive();

  EXPECT_EQ(held_in_a_file, c.in_a_file);
  EXPECT_EQ(fs::exists(HoldingPath()), !c.in_a_file);
  const Layout layout = LayOut(Written());
  ASSERT_EQ(layout.entries.size(), 1u);
  EXPECT_EQ(layout.entries[0].local.compression_method, kMethodDeflated);
  EXPECT_EQ(layout.entries[0].Content(), zeros);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ZipperHoldingTest,
                         ::testing::Values(LimitCase{"AtTheLimit", 10'240'000, false},
                                           LimitCase{"AboveTheLimit", 10'240'001, true}),
                         [](const ::testing::TestParamInfo<LimitCase>& test) {
                           return std::string(test.param.label);
                         });

class ZipperRefusalTest;

// Each case sets the writer up for a write that must fail before the archive file is created.
struct RefusalCase {
  const char* label;
  std::function<void(ZipperRefusalTest&)> arrange;
  std::function<std::string(const ScratchFolder&)> message;
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.label; }

class ZipperRefusalTest : public ZipperTest, public ::testing::WithParamInterface<RefusalCase> {
 public:
  TZipper& Writer() { return writer_; }
  const ScratchFolder& Folder() const { return folder_; }
  TZipFileEntry& AddStream(const std::string& name, const std::string& content) {
    return ZipperTest::AddStream(name, content);
  }
  TZipFileEntry& AddSizedStream(const std::string& name, std::int64_t size) {
    streams_.push_back(std::make_unique<SizedStream>(size));
    return writer_.Entries().AddStream(*streams_.back(), name);
  }
};

TEST_P(ZipperRefusalTest, RefusesBeforeTheArchiveIsCreated) {
  const RefusalCase& c = GetParam();
  WriteTextFile(ArchivePath(), "older archive");
  c.arrange(*this);
  EXPECT_EQ(MessageOf<EZipError>([&] { writer_.WriteArchive(); }), c.message(folder_));
  EXPECT_FALSE(writer_.Writing());
  EXPECT_EQ(Written(), "older archive");
}

std::string Fixed(const char* text) { return text; }

INSTANTIATE_TEST_SUITE_P(
    Entries, ZipperRefusalTest,
    ::testing::Values(
        RefusalCase{"StreamWithoutAName",
                    [](ZipperRefusalTest& test) {
                      test.AddStream("named", "x");
                      test.AddStream("", "y");
                    },
                    [](const ScratchFolder&) {
                      return Fixed("Missing archive filename in streamed entry 1");
                    }},
        RefusalCase{"EntryWithoutAFile",
                    [](ZipperRefusalTest& test) {
                      test.Writer().Entries().Add().SetArchiveFileName("name only");
                    },
                    [](const ScratchFolder&) { return Fixed("Missing filename in entry 0"); }},
        RefusalCase{"MissingFile",
                    [](ZipperRefusalTest& test) {
                      test.Writer().Entries().AddDiskFile(test.Folder() / "missing.txt");
                    },
                    [](const ScratchFolder& folder) {
                      return "File \"" + (folder / "missing.txt") + "\" does not exist.";
                    }},
        RefusalCase{"FolderForAFile",
                    [](ZipperRefusalTest& test) {
                      fs::create_directory(test.Folder().Path() / "folder");
                      test.Writer().Entries().AddDiskFile(test.Folder() / "folder");
                    },
                    [](const ScratchFolder& folder) {
                      return "File \"" + (folder / "folder") + "\" does not exist.";
                    }},
        RefusalCase{
            "MoreEntriesThanTheEndRecordCounts",
            [](ZipperRefusalTest& test) {
              for (int i = 0; i < 0x10000; ++i) test.AddStream("e", "");
            },
            [](const ScratchFolder&) { return Fixed("Too many entries for a ZIP file: 65536"); }},
        RefusalCase{"StreamOf2GiB",
                    [](ZipperRefusalTest& test) {
                      test.AddStream("small", "x");
                      test.AddSizedStream("big", kLargestSize + 1);
                    },
                    [](const ScratchFolder&) {
                      return Fixed("Entry \"big\" is too large for a ZIP file");
                    }},
        // 4 GiB: nothing in the low 32 bits of the size.
        RefusalCase{"SparseFileOf4GiB",
                    [](ZipperRefusalTest& test) {
                      const fs::path sparse = test.Folder().Path() / "sparse";
                      WriteTextFile(sparse, "");
                      fs::resize_file(sparse, std::uintmax_t{1} << 32);
                      test.Writer()
                          .Entries()
                          .AddDiskFile(test.Folder() / "sparse")
                          .SetArchiveFileName("sparse");
                    },
                    [](const ScratchFolder&) {
                      return Fixed("Entry \"sparse\" is too large for a ZIP file");
                    }}),
    [](const ::testing::TestParamInfo<RefusalCase>& test) {
      return std::string(test.param.label);
    });

TEST_F(ZipperTest, RefusesAnEntryThatWouldTakeTheArchivePast2GiBBeforeWritingIt) {
  // The holding file is grown sparsely to just too much for the entry, its central record and
  // the end record to fit below 2 GiB; the entry's own bytes alone would still fit.
  const std::int64_t fixed =
      LocalFileHeader::kSize + 4 + CentralFileHeader::kSize + 4 + EndOfCentralDirectory::kSize;
  const std::int64_t holding_size = kLargestSize + 1 - fixed;
  streams_.push_back(std::make_unique<SizedStream>(kLargestSize));
  writer_.Entries().AddStream(*streams_.back(), "huge");
  bool compressed = false;
  writer_.scripts["huge"] = [&](platform::TStream& source, platform::TStream& holding) {
    source.Seek(0, platform::SeekOrigin::kEnd);
    holding.SetPosition(holding_size - 1);
    holding.WriteBuffer("", 1);
    compressed = true;
  };

  EXPECT_EQ(MessageOf<EZipError>([&] { writer_.WriteArchive(); }),
            "ZIP file " + ArchivePath() + " would be too large");
  EXPECT_TRUE(compressed);
  EXPECT_FALSE(writer_.Writing());
  EXPECT_EQ(fs::file_size(ArchivePath()), 0u);
  EXPECT_FALSE(fs::exists(HoldingPath()));
}

TEST_F(ZipperTest, AFailureLeavesTheArchiveAsWrittenAndReleasesTheEntryInProgress) {
  const std::string first = Text(4000);
  AddStream("first", first);
  WriteTextFile(folder_.Path() / "second.txt", Text(3000, 2));
  writer_.Entries().AddDiskFile(folder_ / "second.txt").SetArchiveFileName("second");
  AddStream("third", "never reached");
  writer_.SetInMemoryLimit(0);  // every holding stream a file
  writer_.scripts["second"] = [&](platform::TStream&, platform::TStream& holding) {
    EXPECT_TRUE(fs::exists(HoldingPath()));
    holding.WriteBuffer("partial", 7);
    throw ECompressionError("data error");
  };

  EXPECT_EQ(MessageOf<ECompressionError>([&] { writer_.WriteArchive(); }), "data error");

  EXPECT_FALSE(writer_.Writing());
  EXPECT_FALSE(fs::exists(HoldingPath()));
  // The disk file is closed: it opens again without sharing.
  EXPECT_NO_THROW(platform::TFileStream(folder_ / "second.txt", platform::FileMode::kOpenRead));
  // The archive stays, holding the first entry and nothing after it.
  const std::string archive = Written();
  ASSERT_GE(archive.size(), LocalFileHeader::kSize);
  const std::vector<std::uint8_t> bytes = codec_support::BytesOf(archive);
  const LocalFileHeader local =
      ParseLocalFileHeader(std::span<const std::uint8_t>(bytes).first<LocalFileHeader::kSize>());
  EXPECT_EQ(local.signature, LocalFileHeader::kSignature);
  EXPECT_EQ(archive.substr(LocalFileHeader::kSize, 5), "first");
  EXPECT_EQ(archive.size(), LocalFileHeader::kSize + 5 + local.compressed_size);
  EXPECT_EQ(writer_.Entries().Count(), 3);
}

TEST_F(ZipperTest, TheArchiveNameCannotChangeWhileWriting) {
  AddStream("a", "a");
  AddStream("b", "b");
  writer_.SetOnEntryStart([](TZipper& sender, const std::string& name) {
    if (name == "b") sender.SetFileName("elsewhere.zip");
  });
  EXPECT_EQ(MessageOf<EZipError>([&] { writer_.WriteArchive(); }),
            "Changing output file name is not allowed while (un)zipping");
  EXPECT_EQ(writer_.FileName(), ArchivePath());
  EXPECT_FALSE(writer_.Writing());
  writer_.SetFileName(folder_ / "other.zip");  // allowed again once the write has ended
  EXPECT_EQ(writer_.FileName(), folder_ / "other.zip");
}

TEST_F(ZipperTest, ClearEmptiesEntriesAndFileNames) {
  AddStream("a", "a");
  writer_.FileNames().push_back("x");
  writer_.Clear();
  EXPECT_EQ(writer_.Entries().Count(), 0);
  EXPECT_TRUE(writer_.FileNames().empty());
}

}  // namespace
}  // namespace zip
