#include "zip/unzipper.h"

#include <array>

#include "platform/exception.h"
#include "platform/file_operations.h"
#include "platform/native.h"
#include "platform/path.h"
#include "zip/dos_datetime.h"
#include "zip/entry_names.h"
#include "zip/flag_scope.h"
#include "zip/inflater.h"
#include "zip/records.h"
#include "zip/verifying_sink.h"
#include "zip/zip_error.h"

namespace zip {

std::string OutputNameOverride;

namespace {

// Set by writers that give the sizes in a data descriptor after the data.
constexpr std::uint16_t kDataDescriptorFlag = 1 << 3;

[[noreturn]] void FailCorrupt(const platform::TFileStream& archive) {
  throw EZipError(platform::Format(serrcorruptzip.text, archive.FileName().c_str()));
}

void CheckSafeName(const std::string& name, const platform::TFileStream& archive) {
  if (HasParentSegment(name)) {
    throw EZipError(
        platform::Format(serrunsafename.text, name.c_str(), archive.FileName().c_str()));
  }
}

// Positions are taken in 64 bits, so that no offset or size read from the archive can wrap
// round to a place inside it.
bool FitsInArchive(std::int64_t position, std::int64_t count, std::int64_t archive_size) {
  return position + count <= archive_size;
}

template <std::size_t N>
std::array<std::uint8_t, N> ReadRecordBytes(platform::TStream& stream) {
  std::array<std::uint8_t, N> bytes;
  stream.ReadBuffer(bytes.data(), bytes.size());
  return bytes;
}

std::string ReadName(platform::TStream& stream, std::size_t length) {
  std::string name(length, '\0');
  stream.ReadBuffer(name.data(), name.size());
  return name;
}

// The output file of one entry, closed when this goes. Discard() also deletes it.
class OutputFile {
 public:
  explicit OutputFile(const std::string& path)
      : stream_(std::make_unique<platform::TFileStream>(path, platform::FileMode::kCreate)) {}

  platform::TStream& Stream() { return *stream_; }

  void Discard() {
    const std::string path = stream_->FileName();
    stream_.reset();  // closed first: an open file cannot be deleted everywhere
    platform::DeleteFileEntry(path, platform::Encoding::kSystemCodePage);
  }

 private:
  std::unique_ptr<platform::TFileStream> stream_;
};

}  // namespace

void TUnZipper::SetFileName(std::string file_name) {
  if (extracting_) throw EZipError(serrfilechange.text);
  file_name_ = std::move(file_name);
}

void TUnZipper::SetOutputFolder(std::string folder) {
  if (extracting_) throw EZipError(serrfilechange.text);
  output_folder_ = std::move(folder);
}

void TUnZipper::Clear() {
  file_names_.Clear();
  entries_.Clear();
  central_records_.clear();
}

std::unique_ptr<TDeCompressor> TUnZipper::MakeDecompressor(TZipFileEntry& /*entry*/,
                                                           std::uint16_t method,
                                                           platform::TStream& archive,
                                                           platform::TStream& output) {
  if (method != TInflater::kMethodCode) {
    throw EZipError(platform::Format(serrunsupportedcompressionformat.text, int{method}));
  }
  return std::make_unique<TInflater>(archive, output, buffer_size_);
}

void TUnZipper::ExtractAll() {
  const FlagScope extracting(extracting_);
  entries_.Clear();
  central_records_.clear();
  const bool every_entry = file_names_.Empty();
  platform::TFileStream archive(file_name_, platform::FileMode::kOpenRead);
  ReadCentralDirectory(archive);
  const int count = entries_.Count();
  for (int i = 0; i < count; ++i) {
    if (every_entry || file_names_.IndexOf(entries_.EntryAt(i).ArchiveFileName()) >= 0) {
      ExtractEntry(archive, i);
    }
  }
}

void TUnZipper::ReadCentralDirectory(platform::TFileStream& archive) {
  const std::int64_t archive_size = archive.Size();
  // No search backwards: an archive comment or any trailing byte makes the archive corrupt.
  if (archive_size < std::int64_t{EndOfCentralDirectory::kSize}) FailCorrupt(archive);
  archive.SetPosition(archive_size - std::int64_t{EndOfCentralDirectory::kSize});
  const EndOfCentralDirectory end =
      ParseEndOfCentralDirectory(ReadRecordBytes<EndOfCentralDirectory::kSize>(archive));
  if (end.signature != EndOfCentralDirectory::kSignature) FailCorrupt(archive);

  std::int64_t position = end.directory_offset;
  for (int i = 0; i < end.disk_entries; ++i) {
    if (!FitsInArchive(position, CentralFileHeader::kSize, archive_size)) FailCorrupt(archive);
    archive.SetPosition(position);
    const CentralFileHeader header =
        ParseCentralFileHeader(ReadRecordBytes<CentralFileHeader::kSize>(archive));
    if (header.signature != CentralFileHeader::kSignature) FailCorrupt(archive);
    const std::int64_t name_start = position + std::int64_t{CentralFileHeader::kSize};
    position = name_start + header.file_name_length + header.extra_field_length +
               header.file_comment_length;
    // The local header and the data must fit as well; ReadLocalHeader checks them exactly.
    const bool entry_fits =
        FitsInArchive(header.local_header_offset,
                      std::int64_t{LocalFileHeader::kSize} + header.compressed_size, archive_size);
    if (header.file_name_length == 0 || position > archive_size || !entry_fits) {
      FailCorrupt(archive);
    }
    TZipFileEntry& entry = entries_.Add();
    entry.SetHeaderOffset(static_cast<std::int32_t>(header.local_header_offset));
    entry.SetArchiveFileName(ReadName(archive, header.file_name_length));
    central_records_.push_back({header.crc32, header.compressed_size, header.uncompressed_size,
                                header.local_header_offset});
  }
  for (int i = 0; i < entries_.Count(); ++i) {
    CheckSafeName(entries_.EntryAt(i).ArchiveFileName(), archive);
  }
}

TUnZipper::LocalRecord TUnZipper::ReadLocalHeader(platform::TFileStream& archive, int index) {
  TZipFileEntry& entry = entries_.EntryAt(index);
  const CentralRecord& central = central_records_[static_cast<std::size_t>(index)];
  archive.SetPosition(central.local_header_offset);
  const LocalFileHeader header =
      ParseLocalFileHeader(ReadRecordBytes<LocalFileHeader::kSize>(archive));
  if (header.signature != LocalFileHeader::kSignature) FailCorrupt(archive);

  const std::uint32_t stored_size =
      (header.flags & kDataDescriptorFlag) != 0 ? central.compressed_size : header.compressed_size;
  const std::int64_t data_start = std::int64_t{central.local_header_offset} +
                                  std::int64_t{LocalFileHeader::kSize} + header.file_name_length +
                                  header.extra_field_length;
  const std::uint32_t data_size =
      header.compression_method == kMethodStored ? stored_size : central.compressed_size;
  if (header.file_name_length == 0 || !FitsInArchive(data_start, data_size, archive.Size())) {
    FailCorrupt(archive);
  }

  std::string name = ReadName(archive, header.file_name_length);
  CheckSafeName(name, archive);
  archive.Seek(header.extra_field_length, platform::SeekOrigin::kCurrent);
  entry.SetArchiveFileName(name);
  entry.SetDiskFileName(std::move(name));
  entry.SetSize(static_cast<std::int32_t>(header.uncompressed_size));
  entry.SetDateTime(UnpackDosDateTime(header.last_mod_date, header.last_mod_time));
  return {header.compression_method, stored_size};
}

void TUnZipper::ExtractEntry(platform::TFileStream& archive, int index) {
  const LocalRecord local = ReadLocalHeader(archive, index);
  TZipFileEntry& entry = entries_.EntryAt(index);
  // Copies: a handler may change the entries.
  const std::string name = entry.DiskFileName();
  const CentralRecord central = central_records_[static_cast<std::size_t>(index)];
  // Without an output folder the current folder is the output folder, so that no stored name
  // is taken from a root.
  const std::string folder =
      platform::IncludeTrailingPathDelimiter(output_folder_.empty() ? "." : output_folder_);
  if (name.back() == '/') {
    platform::CreateFolderWalk(folder + name);
    return;
  }

  const std::string output_name = !OutputNameOverride.empty() ? OutputNameOverride
                                  : platform::PosOfColon(name) != 0
                                      ? platform::ExtractFileName(name)
                                      : name;
  const std::string path = folder + output_name;
  // A folder that cannot be created shows when the file cannot be.
  platform::ForceDirectories(platform::ExtractFilePath(path));
  OutputFile output(path);
  if (on_entry_start_) on_entry_start_(*this, path);

  VerifyingSink sink(output.Stream(), central.uncompressed_size);
  const bool within_size = WriteEntryData(archive, entry, local, sink);
  if (!within_size || sink.Count() != central.uncompressed_size || sink.Crc32() != central.crc32) {
    output.Discard();
    throw EZipError(
        platform::Format(serrcorruptentry.text, name.c_str(), archive.FileName().c_str()));
  }
}

bool TUnZipper::WriteEntryData(platform::TFileStream& archive, TZipFileEntry& entry,
                               const LocalRecord& local, platform::TStream& sink) {
  try {
    if (local.compression_method == kMethodStored) {
      // A count of 0 would copy the whole archive.
      if (local.stored_size > 0) sink.CopyFrom(archive, local.stored_size);
    } else {
      const std::unique_ptr<TDeCompressor> decompressor =
          MakeDecompressor(entry, local.compression_method, archive, sink);
      decompressor->SetProgressStep(progress_step_);
      decompressor->SetOnProgress(on_progress_);
      decompressor->Decompress();
    }
  } catch (const VerifyingSink::Overrun&) {
    return false;
  }
  return true;
}

}  // namespace zip
