#include "zip/records.h"

#include "zip/little_endian.h"

namespace zip {

std::array<std::uint8_t, LocalFileHeader::kSize> Serialize(const LocalFileHeader& header) {
  std::array<std::uint8_t, LocalFileHeader::kSize> bytes{};
  StoreU32(bytes, 0, header.signature);
  StoreU16(bytes, 4, header.version_needed);
  StoreU16(bytes, 6, header.flags);
  StoreU16(bytes, 8, header.compression_method);
  StoreU16(bytes, 10, header.last_mod_time);
  StoreU16(bytes, 12, header.last_mod_date);
  StoreU32(bytes, 14, header.crc32);
  StoreU32(bytes, 18, header.compressed_size);
  StoreU32(bytes, 22, header.uncompressed_size);
  StoreU16(bytes, 26, header.file_name_length);
  StoreU16(bytes, 28, header.extra_field_length);
  return bytes;
}

std::array<std::uint8_t, CentralFileHeader::kSize> Serialize(const CentralFileHeader& header) {
  std::array<std::uint8_t, CentralFileHeader::kSize> bytes{};
  StoreU32(bytes, 0, header.signature);
  StoreU16(bytes, 4, header.version_made_by);
  StoreU16(bytes, 6, header.version_needed);
  StoreU16(bytes, 8, header.flags);
  StoreU16(bytes, 10, header.compression_method);
  StoreU16(bytes, 12, header.last_mod_time);
  StoreU16(bytes, 14, header.last_mod_date);
  StoreU32(bytes, 16, header.crc32);
  StoreU32(bytes, 20, header.compressed_size);
  StoreU32(bytes, 24, header.uncompressed_size);
  StoreU16(bytes, 28, header.file_name_length);
  StoreU16(bytes, 30, header.extra_field_length);
  StoreU16(bytes, 32, header.file_comment_length);
  StoreU16(bytes, 34, header.disk_number_start);
  StoreU16(bytes, 36, header.internal_attributes);
  StoreU32(bytes, 38, header.external_attributes);
  StoreU32(bytes, 42, header.local_header_offset);
  return bytes;
}

std::array<std::uint8_t, EndOfCentralDirectory::kSize> Serialize(
    const EndOfCentralDirectory& record) {
  std::array<std::uint8_t, EndOfCentralDirectory::kSize> bytes{};
  StoreU32(bytes, 0, record.signature);
  StoreU16(bytes, 4, record.disk_number);
  StoreU16(bytes, 6, record.directory_disk);
  StoreU16(bytes, 8, record.disk_entries);
  StoreU16(bytes, 10, record.total_entries);
  StoreU32(bytes, 12, record.directory_size);
  StoreU32(bytes, 16, record.directory_offset);
  StoreU16(bytes, 20, record.comment_length);
  return bytes;
}

LocalFileHeader ParseLocalFileHeader(std::span<const std::uint8_t, LocalFileHeader::kSize> bytes) {
  LocalFileHeader header;
  header.signature = LoadU32(bytes, 0);
  header.version_needed = LoadU16(bytes, 4);
  header.flags = LoadU16(bytes, 6);
  header.compression_method = LoadU16(bytes, 8);
  header.last_mod_time = LoadU16(bytes, 10);
  header.last_mod_date = LoadU16(bytes, 12);
  header.crc32 = LoadU32(bytes, 14);
  header.compressed_size = LoadU32(bytes, 18);
  header.uncompressed_size = LoadU32(bytes, 22);
  header.file_name_length = LoadU16(bytes, 26);
  header.extra_field_length = LoadU16(bytes, 28);
  return header;
}

CentralFileHeader ParseCentralFileHeader(
    std::span<const std::uint8_t, CentralFileHeader::kSize> bytes) {
  CentralFileHeader header;
  header.signature = LoadU32(bytes, 0);
  header.version_made_by = LoadU16(bytes, 4);
  header.version_needed = LoadU16(bytes, 6);
  header.flags = LoadU16(bytes, 8);
  header.compression_method = LoadU16(bytes, 10);
  header.last_mod_time = LoadU16(bytes, 12);
  header.last_mod_date = LoadU16(bytes, 14);
  header.crc32 = LoadU32(bytes, 16);
  header.compressed_size = LoadU32(bytes, 20);
  header.uncompressed_size = LoadU32(bytes, 24);
  header.file_name_length = LoadU16(bytes, 28);
  header.extra_field_length = LoadU16(bytes, 30);
  header.file_comment_length = LoadU16(bytes, 32);
  header.disk_number_start = LoadU16(bytes, 34);
  header.internal_attributes = LoadU16(bytes, 36);
  header.external_attributes = LoadU32(bytes, 38);
  header.local_header_offset = LoadU32(bytes, 42);
  return header;
}

EndOfCentralDirectory ParseEndOfCentralDirectory(
    std::span<const std::uint8_t, EndOfCentralDirectory::kSize> bytes) {
  EndOfCentralDirectory record;
  record.signature = LoadU32(bytes, 0);
  record.disk_number = LoadU16(bytes, 4);
  record.directory_disk = LoadU16(bytes, 6);
  record.disk_entries = LoadU16(bytes, 8);
  record.total_entries = LoadU16(bytes, 10);
  record.directory_size = LoadU32(bytes, 12);
  record.directory_offset = LoadU32(bytes, 16);
  record.comment_length = LoadU16(bytes, 20);
  return record;
}

}  // namespace zip
