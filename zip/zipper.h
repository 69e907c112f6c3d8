// TZipper writes a new zip archive file from a list of entries, each taken from a disk file or
// from a stream the caller supplies.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/stream.h"
#include "zip/codec.h"
#include "zip/entries.h"

namespace zip {

// Each entry is deflated into a holding stream first and then written stored or deflated,
// whichever is smaller; the central directory is built by reading the written local headers
// back from the archive. Every failure is raised; afterwards Writing is false, the archive file
// is closed but left as far as it was written, and the entries' SourceStreams are untouched.
class TZipper {
 public:
  // Sender and the entry's archive name.
  using EntryHandler = std::function<void(TZipper& sender, const std::string& archive_name)>;

  static constexpr std::uint32_t kDefaultBufferSize = 16384;
  static constexpr std::int32_t kDefaultInMemoryLimit = 10'240'000;

  TZipper() = default;
  TZipper(const TZipper&) = delete;
  TZipper& operator=(const TZipper&) = delete;
  virtual ~TZipper() = default;

  // The entries to write. A SourceStream must stay open until WriteArchive has returned.
  TZipFileEntries& Entries() { return entries_; }
  const TZipFileEntries& Entries() const { return entries_; }
  // Disk file names that become the entries when Entries is empty at the start of a write.
  std::vector<std::string>& FileNames() { return file_names_; }
  const std::vector<std::string>& FileNames() const { return file_names_; }

  const std::string& FileName() const { return file_name_; }
  // Raises EZipError serrfilechange while Writing, keeping the old name.
  void SetFileName(std::string file_name);

  bool Writing() const { return writing_; }

  // The chunk size handed to every compressor.
  std::uint32_t BufferSize() const { return buffer_size_; }
  void SetBufferSize(std::uint32_t size) { buffer_size_ = size; }
  // Sources of at most this many bytes are deflated into memory, larger ones into a file
  // beside the archive named after it with the extension ".tmp2".
  std::int32_t InMemoryLimit() const { return in_memory_limit_; }
  void SetInMemoryLimit(std::int32_t limit) { in_memory_limit_ = limit; }
  std::int32_t ProgressStep() const { return progress_step_; }
  void SetProgressStep(std::int32_t step) { progress_step_ = step; }

  // Handed to every compressor, which reports no progress.
  const ProgressHandler& OnProgress() const { return on_progress_; }
  void SetOnProgress(ProgressHandler handler) { on_progress_ = std::move(handler); }
  // Called once an entry's source is open, before it is compressed. It must not remove entries.
  const EntryHandler& OnEntryStart() const { return on_entry_start_; }
  void SetOnEntryStart(EntryHandler handler) { on_entry_start_ = std::move(handler); }
  // Kept for callers' settings; nothing calls it.
  const EntryHandler& OnEntryEnd() const { return on_entry_end_; }
  void SetOnEntryEnd(EntryHandler handler) { on_entry_end_ = std::move(handler); }

  // Writes the archive FileName from Entries (or FileNames). With no entry at all nothing is
  // created. Every entry is checked before the archive file is created: a missing name or file
  // raises EZipError (serrmissingarchivename, serrmissingfilename, serrfiledoesnotexist), and
  // what the format cannot hold (serrtoomanyentries, serrentrytoolarge) too; an archive that
  // would grow past 2 GiB - 1 fails with serrarchivetoolarge before the entry concerned is
  // written.
  void WriteArchive();

  // Empties Entries and FileNames.
  void Clear();

 protected:
  // The factory hook for an entry's compressor: a TDeflater over (source, holding,
  // BufferSize). `source` stands at 0; the compressor reads it to its end.
  virtual std::unique_ptr<TCompressor> MakeCompressor(TZipFileEntry& entry,
                                                      platform::TStream& source,
                                                      platform::TStream& holding);

 private:
  int CollectEntries();
  void ReadEntryInfo();
  void WriteEntry(TZipFileEntry& entry, platform::TStream& archive);
  void WriteCentralDirectory(platform::TStream& archive, int entry_count);

  TZipFileEntries entries_;
  bool writing_ = false;
  std::uint32_t buffer_size_ = kDefaultBufferSize;
  std::string file_name_;
  std::vector<std::string> file_names_;
  std::int32_t in_memory_limit_ = kDefaultInMemoryLimit;
  std::int32_t progress_step_ = 1;
  ProgressHandler on_progress_;
  EntryHandler on_entry_end_;
  EntryHandler on_entry_start_;
  // The central records of the entries written so far take this many bytes.
  std::int64_t directory_size_ = 0;
};

}  // namespace zip
