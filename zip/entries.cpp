#include "zip/entries.h"

namespace zip {

void TZipFileEntry::AssignFrom(const TZipFileEntry& source) {
  archive_file_name_ = source.archive_file_name_;
  disk_file_name_ = source.disk_file_name_;
  size_ = source.size_;
  date_time_ = source.date_time_;
  source_stream_ = source.source_stream_;
}

TZipFileEntry& TZipFileEntries::Add() {
  return *entries_.emplace_back(std::make_unique<TZipFileEntry>());
}

TZipFileEntry& TZipFileEntries::AddDiskFile(std::string disk_file_name) {
  TZipFileEntry& entry = Add();
  entry.SetDiskFileName(std::move(disk_file_name));
  return entry;
}

TZipFileEntry& TZipFileEntries::AddStream(platform::TStream& stream,
                                          std::string archive_file_name) {
  TZipFileEntry& entry = Add();
  entry.SetSourceStream(&stream);
  entry.SetArchiveFileName(std::move(archive_file_name));
  return entry;
}

std::size_t TZipFileEntries::CheckedIndex(int index) const {
  if (index < 0 || index >= Count()) {
    throw EListError(platform::Format("List index out of bounds (%d)", index));
  }
  return static_cast<std::size_t>(index);
}

TZipFileEntry& TZipFileEntries::EntryAt(int index) { return *entries_[CheckedIndex(index)]; }

const TZipFileEntry& TZipFileEntries::EntryAt(int index) const {
  return *entries_[CheckedIndex(index)];
}

}  // namespace zip
