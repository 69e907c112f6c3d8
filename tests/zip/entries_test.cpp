#include "zip/entries.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/memory_stream.h"

namespace zip {
namespace {

TEST(ZipFileEntryTest, NewEntryIsEmpty) {
  const TZipFileEntry entry;
  EXPECT_EQ(entry.ArchiveFileName(), "");
  EXPECT_EQ(entry.DiskFileName(), "");
  EXPECT_EQ(entry.DateTime(), 0.0);
  EXPECT_EQ(entry.HeaderOffset(), 0);
  EXPECT_EQ(entry.Size(), 0);
  EXPECT_EQ(entry.SourceStream(), nullptr);
}

TEST(ZipFileEntryTest, ArchiveFileNameFallsBackToDiskFileName) {
  TZipFileEntry entry;
  entry.SetDiskFileName("C:\\data\\a.txt");
  EXPECT_EQ(entry.ArchiveFileName(), "C:\\data\\a.txt");

  entry.SetArchiveFileName("a.txt");
  entry.SetDiskFileName("C:\\data\\b.txt");
  EXPECT_EQ(entry.ArchiveFileName(), "a.txt");

  entry.SetArchiveFileName("");
  EXPECT_EQ(entry.ArchiveFileName(), "C:\\data\\b.txt");
}

TEST(ZipFileEntryTest, AssignFromCopiesAllButHeaderOffset) {
  platform::TMemoryStream stream;
  TZipFileEntry source;
  source.SetArchiveFileName("docs/a.txt");
  source.SetDiskFileName("a.txt");
  source.SetDateTime(42000.5);
  source.SetHeaderOffset(1234);
  source.SetSize(99);
  source.SetSourceStream(&stream);

  TZipFileEntry target;
  target.SetHeaderOffset(7);
  target.AssignFrom(source);

  EXPECT_EQ(target.ArchiveFileName(), "docs/a.txt");
  EXPECT_EQ(target.DiskFileName(), "a.txt");
  EXPECT_EQ(target.DateTime(), 42000.5);
  EXPECT_EQ(target.Size(), 99);
  EXPECT_EQ(target.SourceStream(), &stream);
  EXPECT_EQ(target.HeaderOffset(), 7);
}

TEST(ZipFileEntryTest, AssignFromCopiesTheArchiveNameFieldNotItsFallback) {
  TZipFileEntry source;
  source.SetDiskFileName("C:\\data\\a.txt");
  TZipFileEntry target;
  target.SetArchiveFileName("old.txt");

  target.AssignFrom(source);
  EXPECT_EQ(target.ArchiveFileName(), "C:\\data\\a.txt");
  // The copied field is empty, so the target follows its own DiskFileName from now on.
  target.SetDiskFileName("b.txt");
  EXPECT_EQ(target.ArchiveFileName(), "b.txt");
}

TEST(ZipFileEntriesTest, AddsInOrderWithOnlyTheirOwnFieldsSet) {
  platform::TMemoryStream stream;
  TZipFileEntries entries;
  TZipFileEntry& disk = entries.AddDiskFile("C:\\data\\a.txt");
  TZipFileEntry& streamed = entries.AddStream(stream, "b.txt");
  TZipFileEntry& blank = entries.Add();

  ASSERT_EQ(entries.Count(), 3);
  EXPECT_EQ(&entries.EntryAt(0), &disk);
  EXPECT_EQ(&entries.EntryAt(1), &streamed);
  EXPECT_EQ(&entries.EntryAt(2), &blank);

  EXPECT_EQ(disk.DiskFileName(), "C:\\data\\a.txt");
  EXPECT_EQ(disk.SourceStream(), nullptr);
  streamed.SetDiskFileName("unused.txt");
  EXPECT_EQ(streamed.ArchiveFileName(), "b.txt");
  EXPECT_EQ(streamed.SourceStream(), &stream);
  EXPECT_EQ(blank.ArchiveFileName(), "");
}

TEST(ZipFileEntriesTest, EntriesStayInPlaceAsMoreAreAdded) {
  TZipFileEntries entries;
  TZipFileEntry& first = entries.AddDiskFile("first");
  for (int i = 0; i < 1000; ++i) entries.Add();
  EXPECT_EQ(&entries.EntryAt(0), &first);
  EXPECT_EQ(first.DiskFileName(), "first");
}

TEST(ZipFileEntriesTest, BadIndexRaisesListError) {
  TZipFileEntries entries;
  entries.AddDiskFile("a");
  for (const int index : {-1, 1, 2}) {
    try {
      entries.EntryAt(index);
      FAIL() << "no failure for index " << index;
    } catch (const EListError& e) {
      EXPECT_EQ(e.ClassName(), "EListError");
      EXPECT_EQ(e.Message(), platform::Format("List index out of bounds (%d)", index));
    }
  }
}

// A stream that reports its own destruction.
class WatchedStream : public platform::TMemoryStream {
 public:
  explicit WatchedStream(bool& destroyed) : destroyed_(destroyed) {}
  ~WatchedStream() override { destroyed_ = true; }

 private:
  bool& destroyed_;
};

TEST(ZipFileEntriesTest, ClearingOrDestroyingNeverFreesTheStreams) {
  bool destroyed = false;
  auto stream = std::make_unique<WatchedStream>(destroyed);
  {
    TZipFileEntries entries;
    entries.AddStream(*stream, "a");
    entries.Clear();
    EXPECT_EQ(entries.Count(), 0);
    entries.AddStream(*stream, "b");
  }
  EXPECT_FALSE(destroyed);
  stream->WriteBuffer("x", 1);
  EXPECT_EQ(stream->Size(), 1);
}

}  // namespace
}  // namespace zip
