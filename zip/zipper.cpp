#include "zip/zipper.h"

#include <array>
#include <limits>

#include "platform/directory_search.h"
#include "platform/exception.h"
#include "platform/file_stream.h"
#include "platform/memory_stream.h"
#include "platform/native.h"
#include "platform/path.h"
#include "zip/deflater.h"
#include "zip/dos_datetime.h"
#include "zip/flag_scope.h"
#include "zip/records.h"
#include "zip/zip_error.h"

namespace zip {

namespace {

// Readers take sizes and offsets as signed 32-bit numbers and the entry count as 16 bits.
constexpr std::int64_t kLargestSize = std::numeric_limits<std::int32_t>::max();
constexpr int kMostEntries = 0xFFFF;
constexpr std::size_t kLongestName = 255;
// Files only: no folders and no system files.
constexpr std::uint32_t kFileSearchMask =
    platform::kAttrReadOnly | platform::kAttrHidden | platform::kAttrArchive;
constexpr std::uint16_t kVersion10 = 10;  // also for deflated entries
constexpr std::uint32_t kDosArchiveAttribute = 0x20;
constexpr char kHoldingExtension[] = ".tmp2";

// An entry's source: its SourceStream, borrowed, or its disk file, open while this lives.
class EntrySource {
 public:
  explicit EntrySource(const TZipFileEntry& entry) {
    if (entry.SourceStream() != nullptr) {
      stream_ = entry.SourceStream();
    } else {
      file_ = std::make_unique<platform::TFileStream>(entry.DiskFileName(),
                                                      platform::FileMode::kOpenRead);
      stream_ = file_.get();
    }
  }

  platform::TStream& Stream() { return *stream_; }

 private:
  std::unique_ptr<platform::TFileStream> file_;
  platform::TStream* stream_;
};

// Where an entry's deflated bytes wait until the writer knows whether to use them: memory for
// a small source, otherwise a file beside the archive that goes once the entry is done.
class HoldingStream {
 public:
  HoldingStream(std::int64_t source_size, std::int32_t in_memory_limit,
                const std::string& archive_name) {
    if (source_size <= in_memory_limit) {
      stream_ = std::make_unique<platform::TMemoryStream>();
      return;
    }
    std::string file_name = platform::ChangeFileExt(archive_name, kHoldingExtension);
    stream_ = std::make_unique<platform::TFileStream>(file_name, platform::FileMode::kCreate);
    file_name_ = std::move(file_name);
  }
  HoldingStream(const HoldingStream&) = delete;
  HoldingStream& operator=(const HoldingStream&) = delete;
  ~HoldingStream() {
    stream_.reset();  // closed first: an open file cannot be deleted everywhere
    if (!file_name_.empty()) {
      platform::DeleteFileEntry(file_name_, platform::Encoding::kSystemCodePage);
    }
  }

  platform::TStream& Stream() { return *stream_; }

 private:
  std::unique_ptr<platform::TStream> stream_;
  std::string file_name_;  // empty for memory
};

void CheckEntrySize(const TZipFileEntry& entry, std::int64_t size) {
  if (size > kLargestSize) {
    throw EZipError(platform::Format(serrentrytoolarge.text, entry.ArchiveFileName().c_str()));
  }
}

// The time as a DOS date and time would give it back: to the 2 seconds.
platform::TDateTime AtDosResolution(platform::TDateTime value) {
  const DosDateTime packed = PackDosDateTime(value);
  return UnpackDosDateTime(packed.date, packed.time);
}

template <std::size_t N>
void WriteRecord(platform::TStream& stream, const std::array<std::uint8_t, N>& bytes) {
  stream.WriteBuffer(bytes.data(), bytes.size());
}

LocalFileHeader ReadLocalFileHeader(platform::TStream& stream) {
  std::array<std::uint8_t, LocalFileHeader::kSize> bytes;
  stream.ReadBuffer(bytes.data(), bytes.size());
  return ParseLocalFileHeader(bytes);
}

// The central record of an entry whose local header, read back, starts at `offset`.
CentralFileHeader CentralRecordFor(const LocalFileHeader& local, std::uint32_t offset) {
  CentralFileHeader central;
  central.signature = CentralFileHeader::kSignature;
  central.version_made_by = kVersion10;  // version 1.0, MS-DOS host
  central.version_needed = local.version_needed;
  central.flags = local.flags;
  central.compression_method = local.compression_method;
  central.last_mod_time = local.last_mod_time;
  central.last_mod_date = local.last_mod_date;
  central.crc32 = local.crc32;
  central.compressed_size = local.compressed_size;
  central.uncompressed_size = local.uncompressed_size;
  central.file_name_length = local.file_name_length;
  central.extra_field_length = local.extra_field_length;
  central.external_attributes = kDosArchiveAttribute;
  central.local_header_offset = offset;
  return central;
}

}  // namespace

void TZipper::SetFileName(std::string file_name) {
  if (writing_) throw EZipError(serrfilechange.text);
  file_name_ = std::move(file_name);
}

void TZipper::Clear() {
  entries_.Clear();
  file_names_.clear();
}

std::unique_ptr<TCompressor> TZipper::MakeCompressor(TZipFileEntry& /*entry*/,
                                                     platform::TStream& source,
                                                     platform::TStream& holding) {
  return std::make_unique<TDeflater>(source, holding, buffer_size_);
}

void TZipper::WriteArchive() {
  const int count = CollectEntries();
  if (count == 0) return;
  const FlagScope writing(writing_);
  if (count > kMostEntries) throw EZipError(platform::Format(serrtoomanyentries.text, count));
  ReadEntryInfo();
  platform::TFileStream archive(file_name_, platform::FileMode::kCreate);
  directory_size_ = 0;
  for (int i = 0; i < count; ++i) WriteEntry(entries_.EntryAt(i), archive);
  WriteCentralDirectory(archive, count);
}

int TZipper::CollectEntries() {
  if (!file_names_.empty() && entries_.Count() == 0) {
    entries_.Clear();
    for (const std::string& name : file_names_) entries_.AddDiskFile(name);
  }
  return entries_.Count();
}

void TZipper::ReadEntryInfo() {
  for (int i = 0; i < entries_.Count(); ++i) {
    TZipFileEntry& entry = entries_.EntryAt(i);
    std::int64_t size = 0;
    if (entry.SourceStream() != nullptr) {
      if (entry.ArchiveFileName().empty()) {
        throw EZipError(platform::Format(serrmissingarchivename.text, i));
      }
      size = entry.SourceStream()->Size();
    } else {
      if (entry.DiskFileName().empty()) {
        throw EZipError(platform::Format(serrmissingfilename.text, i));
      }
      const std::vector<platform::FileInfo> found = platform::FindFiles(
          entry.DiskFileName(), platform::Encoding::kSystemCodePage, kFileSearchMask);
      if (found.empty()) {
        throw EZipError(platform::Format(serrfiledoesnotexist.text, entry.DiskFileName().c_str()));
      }
      size = found.front().size;
      entry.SetDateTime(AtDosResolution(found.front().last_write));
    }
    CheckEntrySize(entry, size);
    entry.SetSize(static_cast<std::int32_t>(size));
  }
}

void TZipper::WriteEntry(TZipFileEntry& entry, platform::TStream& archive) {
  EntrySource source(entry);
  if (on_entry_start_) on_entry_start_(*this, entry.ArchiveFileName());
  platform::TStream& input = source.Stream();
  // From the start, so that the CRC-32, both sizes and a stored copy cover the same bytes.
  input.SetPosition(0);
  const std::int64_t source_size = input.Size();
  // A disk file may have grown since it was found, or be a link that was found as itself.
  CheckEntrySize(entry, source_size);
  HoldingStream holding(source_size, in_memory_limit_, file_name_);

  std::uint32_t crc = 0;
  std::uint16_t method = 0;
  {
    const std::unique_ptr<TCompressor> compressor = MakeCompressor(entry, input, holding.Stream());
    compressor->SetProgressStep(progress_step_);
    compressor->SetOnProgress(on_progress_);
    compressor->Compress();
    crc = compressor->Crc32();
    method = compressor->MethodCode();
  }
  // The headers describe the bytes compressed, also when the source changed since it was sized.
  const std::int64_t size = input.Position();
  CheckEntrySize(entry, size);
  entry.SetSize(static_cast<std::int32_t>(size));

  const std::string name = entry.ArchiveFileName().substr(0, kLongestName);
  const DosDateTime stamp = PackDosDateTime(entry.DateTime());
  const std::int64_t holding_size = holding.Stream().Size();
  LocalFileHeader header;
  header.signature = LocalFileHeader::kSignature;
  header.version_needed = kVersion10;
  header.last_mod_time = stamp.time;
  header.last_mod_date = stamp.date;
  header.crc32 = crc;
  header.compressed_size = static_cast<std::uint32_t>(holding_size);
  header.uncompressed_size = static_cast<std::uint32_t>(size);
  header.file_name_length = static_cast<std::uint16_t>(name.size());
  const bool use_deflated = static_cast<std::int32_t>(header.compressed_size) <
                            static_cast<std::int32_t>(header.uncompressed_size);
  header.compression_method = use_deflated ? method : kMethodStored;
  if (!use_deflated) header.compressed_size = header.uncompressed_size;

  // The entry's central record is reserved with it, so the directory always fits too.
  const std::int64_t data_size = use_deflated ? holding_size : size;
  const auto name_size = static_cast<std::int64_t>(name.size());
  const std::int64_t central_size = std::int64_t{CentralFileHeader::kSize} + name_size;
  const std::int64_t archive_end = archive.Position() + std::int64_t{LocalFileHeader::kSize} +
                                   name_size + data_size + directory_size_ + central_size +
                                   std::int64_t{EndOfCentralDirectory::kSize};
  if (archive_end > kLargestSize) {
    throw EZipError(platform::Format(serrarchivetoolarge.text, file_name_.c_str()));
  }
  directory_size_ += central_size;

  WriteRecord(archive, Serialize(header));
  archive.WriteBuffer(name.data(), name.size());
  if (use_deflated) {
    archive.CopyFrom(holding.Stream(), 0);  // 0: the whole holding stream from its start
  } else if (size > 0) {
    input.SetPosition(0);
    archive.CopyFrom(input, size);
  }
}

void TZipper::WriteCentralDirectory(platform::TStream& archive, int entry_count) {
  const std::int64_t directory_start = archive.Position();
  std::int64_t header_position = 0;
  std::string name;
  for (int i = 0; i < entry_count; ++i) {
    archive.SetPosition(header_position);
    const LocalFileHeader local = ReadLocalFileHeader(archive);
    name.resize(local.file_name_length);
    archive.ReadBuffer(name.data(), name.size());
    const std::int64_t data_start = archive.Position();

    archive.Seek(0, platform::SeekOrigin::kEnd);
    WriteRecord(archive,
                Serialize(CentralRecordFor(local, static_cast<std::uint32_t>(header_position))));
    archive.WriteBuffer(name.data(), name.size());
    header_position = data_start + local.compressed_size;
  }

  EndOfCentralDirectory end;
  end.signature = EndOfCentralDirectory::kSignature;
  end.disk_entries = static_cast<std::uint16_t>(entry_count);
  end.total_entries = end.disk_entries;
  end.directory_size = static_cast<std::uint32_t>(archive.Position() - directory_start);
  end.directory_offset = static_cast<std::uint32_t>(directory_start);
  WriteRecord(archive, Serialize(end));
}

}  // namespace zip
