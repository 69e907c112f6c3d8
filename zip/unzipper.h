// TUnZipper extracts the entries of a zip archive file into a folder.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_stream.h"
#include "platform/stream.h"
#include "zip/codec.h"
#include "zip/entries.h"
#include "zip/sorted_name_list.h"

namespace zip {

// When not empty, every file entry (not a folder entry) is written under this name instead of
// its stored name. Shared by the whole process: it must not change while an extraction runs.
extern std::string OutputNameOverride;

// Reads the end record (the last 22 bytes of the archive: no archive comment), the central
// directory, then each selected entry's local header and data, stored or deflated. Every file
// entry is checked against its central record as it is written: its size and CRC-32. Every
// failure is raised; files extracted before it stay, and Extracting is false afterwards.
class TUnZipper {
 public:
  // Sender and the path of the output file just created.
  using EntryHandler = std::function<void(TUnZipper& sender, const std::string& output_path)>;

  static constexpr std::uint32_t kDefaultBufferSize = 16384;

  TUnZipper() = default;
  TUnZipper(const TUnZipper&) = delete;
  TUnZipper& operator=(const TUnZipper&) = delete;
  virtual ~TUnZipper() = default;

  // The archive to read. Both setters raise EZipError serrfilechange while Extracting, keeping
  // the old value.
  const std::string& FileName() const { return file_name_; }
  void SetFileName(std::string file_name);
  // The folder that receives the entries; empty means the current folder.
  const std::string& OutputFolder() const { return output_folder_; }
  void SetOutputFolder(std::string folder);

  bool Extracting() const { return extracting_; }

  // Stored names to extract, compared without regard to case; empty selects every entry.
  SortedNameList& FileNames() { return file_names_; }
  const SortedNameList& FileNames() const { return file_names_; }
  // The entries of the last ExtractAll, in directory order. An extracted entry carries the name,
  // Size and DateTime of its local header; one that was not selected its central name and
  // HeaderOffset only.
  TZipFileEntries& Entries() { return entries_; }
  const TZipFileEntries& Entries() const { return entries_; }

  // The work-buffer size of each decompressor.
  std::uint32_t BufferSize() const { return buffer_size_; }
  void SetBufferSize(std::uint32_t size) { buffer_size_ = size; }
  std::int32_t ProgressStep() const { return progress_step_; }
  void SetProgressStep(std::int32_t step) { progress_step_ = step; }

  // Handed to every decompressor, which reports no progress.
  const ProgressHandler& OnProgress() const { return on_progress_; }
  void SetOnProgress(ProgressHandler handler) { on_progress_ = std::move(handler); }
  // Called right after a file entry's output file has been created. It must not remove entries.
  const EntryHandler& OnEntryStart() const { return on_entry_start_; }
  void SetOnEntryStart(EntryHandler handler) { on_entry_start_ = std::move(handler); }
  // Kept for callers' settings; nothing calls it.
  const EntryHandler& OnEntryEnd() const { return on_entry_end_; }
  void SetOnEntryEnd(EntryHandler handler) { on_entry_end_ = std::move(handler); }

  // Extracts the selected entries of FileName into OutputFolder, starting from empty Entries.
  // A folder entry (a name ending in "/") creates its folder chain; a file entry is written
  // under OutputNameOverride, under the part after the last "/", "\" or ":" of a name holding a
  // ":", or under its stored name. Raises EZipError:
  // - serrcorruptzip for an archive whose records or sizes do not fit it, and for an empty name;
  // - serrunsafename for a name with a ".." segment, before anything is extracted when the
  //   central directory names it;
  // - serrcorruptentry when an entry's output would differ in size or CRC-32 from its central
  //   record; that output file is deleted;
  // - serrunsupportedcompressionformat for a method other than stored and deflated.
  void ExtractAll();

  // Empties FileNames and Entries.
  void Clear();

 protected:
  // The factory hook for the decompressor of a method other than stored: a TInflater for
  // deflated data, reading from the archive's current position and writing to `output`.
  virtual std::unique_ptr<TDeCompressor> MakeDecompressor(TZipFileEntry& entry,
                                                          std::uint16_t method,
                                                          platform::TStream& archive,
                                                          platform::TStream& output);

 private:
  // What the central directory records of an entry, by which its local header and output
  // are judged.
  struct CentralRecord {
    std::uint32_t crc32;
    std::uint32_t compressed_size;
    std::uint32_t uncompressed_size;
    std::uint32_t local_header_offset;
  };
  // What the local header gives the extraction of its data.
  struct LocalRecord {
    std::uint16_t compression_method;
    std::uint32_t stored_size;  // the bytes to copy for a stored entry
  };

  void ReadCentralDirectory(platform::TFileStream& archive);
  LocalRecord ReadLocalHeader(platform::TFileStream& archive, int index);
  void ExtractEntry(platform::TFileStream& archive, int index);
  // False when the data ran past the recorded size.
  bool WriteEntryData(platform::TFileStream& archive, TZipFileEntry& entry,
                      const LocalRecord& local, platform::TStream& sink);

  bool extracting_ = false;
  std::uint32_t buffer_size_ = kDefaultBufferSize;
  std::string file_name_;
  std::string output_folder_;
  TZipFileEntries entries_;
  SortedNameList file_names_;
  std::vector<CentralRecord> central_records_;  // one per entry of Entries
  std::int32_t progress_step_ = 1;
  ProgressHandler on_progress_;
  EntryHandler on_entry_end_;
  EntryHandler on_entry_start_;
};

}  // namespace zip
