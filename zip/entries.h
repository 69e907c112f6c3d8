// Archive members and the collection that owns them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/datetime.h"
#include "platform/exception.h"
#include "platform/stream.h"

namespace zip {

// One member of an archive. The entry never owns its SourceStream.
class TZipFileEntry {
 public:
  TZipFileEntry() = default;
  TZipFileEntry(const TZipFileEntry&) = delete;
  TZipFileEntry& operator=(const TZipFileEntry&) = delete;

  // The stored name, or DiskFileName while none was given.
  const std::string& ArchiveFileName() const {
    return archive_file_name_.empty() ? disk_file_name_ : archive_file_name_;
  }
  void SetArchiveFileName(std::string name) { archive_file_name_ = std::move(name); }

  const std::string& DiskFileName() const { return disk_file_name_; }
  void SetDiskFileName(std::string name) { disk_file_name_ = std::move(name); }

  platform::TDateTime DateTime() const { return date_time_; }
  void SetDateTime(platform::TDateTime value) { date_time_ = value; }

  std::int32_t HeaderOffset() const { return header_offset_; }
  void SetHeaderOffset(std::int32_t offset) { header_offset_ = offset; }

  std::int32_t Size() const { return size_; }
  void SetSize(std::int32_t size) { size_ = size; }

  // When set, the writer takes the entry's bytes from here instead of DiskFileName.
  platform::TStream* SourceStream() const { return source_stream_; }
  void SetSourceStream(platform::TStream* stream) { source_stream_ = stream; }

  // Copies everything but HeaderOffset; an empty archive name stays empty, so the copy falls
  // back to its own DiskFileName just as the source does.
  void AssignFrom(const TZipFileEntry& source);

 private:
  std::string archive_file_name_;
  platform::TDateTime date_time_ = 0.0;
  std::string disk_file_name_;
  std::int32_t header_offset_ = 0;
  std::int32_t size_ = 0;
  platform::TStream* source_stream_ = nullptr;
};

// Raised for an index outside a collection.
class EListError : public platform::Exception {
 public:
  explicit EListError(std::string message) : Exception("EListError", std::move(message)) {}
};

// Entries in the order they were added, indexed from 0. Owns the entries, never their streams.
class TZipFileEntries {
 public:
  // Appends an entry with every field empty.
  TZipFileEntry& Add();
  TZipFileEntry& AddDiskFile(std::string disk_file_name);
  // The caller keeps the stream open until the archive has been written, then frees it.
  TZipFileEntry& AddStream(platform::TStream& stream, std::string archive_file_name);

  // Raises EListError "List index out of bounds (%d)" for a bad index.
  TZipFileEntry& EntryAt(int index);
  const TZipFileEntry& EntryAt(int index) const;

  int Count() const { return static_cast<int>(entries_.size()); }
  void Clear() { entries_.clear(); }

 private:
  std::size_t CheckedIndex(int index) const;

  std::vector<std::unique_ptr<TZipFileEntry>> entries_;
};

}  // namespace zip
