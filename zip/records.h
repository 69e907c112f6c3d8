// The three on-disk records of a zip archive, kept as plain fields and converted to and from
// their little-endian byte form one field at a time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace zip {

// Compression method codes of the records.
inline constexpr std::uint16_t kMethodStored = 0;
inline constexpr std::uint16_t kMethodDeflated = 8;

// Precedes each entry's name and data.
struct LocalFileHeader {
  static constexpr std::size_t kSize = 30;
  static constexpr std::uint32_t kSignature = 0x04034B50;

  std::uint32_t signature = 0;
  std::uint16_t version_needed = 0;
  std::uint16_t flags = 0;
  std::uint16_t compression_method = 0;
  std::uint16_t last_mod_time = 0;
  std::uint16_t last_mod_date = 0;
  std::uint32_t crc32 = 0;
  std::uint32_t compressed_size = 0;
  std::uint32_t uncompressed_size = 0;
  std::uint16_t file_name_length = 0;
  std::uint16_t extra_field_length = 0;

  friend bool operator==(const LocalFileHeader&, const LocalFileHeader&) = default;
};

// One record of the central directory.
struct CentralFileHeader {
  static constexpr std::size_t kSize = 46;
  static constexpr std::uint32_t kSignature = 0x02014B50;

  std::uint32_t signature = 0;
  std::uint16_t version_made_by = 0;
  std::uint16_t version_needed = 0;
  std::uint16_t flags = 0;
  std::uint16_t compression_method = 0;
  std::uint16_t last_mod_time = 0;
  std::uint16_t last_mod_date = 0;
  std::uint32_t crc32 = 0;
  std::uint32_t compressed_size = 0;
  std::uint32_t uncompressed_size = 0;
  std::uint16_t file_name_length = 0;
  std::uint16_t extra_field_length = 0;
  std::uint16_t file_comment_length = 0;
  std::uint16_t disk_number_start = 0;
  std::uint16_t internal_attributes = 0;
  std::uint32_t external_attributes = 0;
  std::uint32_t local_header_offset = 0;

  friend bool operator==(const CentralFileHeader&, const CentralFileHeader&) = default;
};

// The last record of the archive.
struct EndOfCentralDirectory {
  static constexpr std::size_t kSize = 22;
  static constexpr std::uint32_t kSignature = 0x06054B50;

  std::uint32_t signature = 0;
  std::uint16_t disk_number = 0;
  std::uint16_t directory_disk = 0;
  std::uint16_t disk_entries = 0;
  std::uint16_t total_entries = 0;
  std::uint32_t directory_size = 0;
  std::uint32_t directory_offset = 0;
  std::uint16_t comment_length = 0;

  friend bool operator==(const EndOfCentralDirectory&, const EndOfCentralDirectory&) = default;
};

std::array<std::uint8_t, LocalFileHeader::kSize> Serialize(const LocalFileHeader& header);
std::array<std::uint8_t, CentralFileHeader::kSize> Serialize(const CentralFileHeader& header);
std::array<std::uint8_t, EndOfCentralDirectory::kSize> Serialize(
    const EndOfCentralDirectory& record);

// Signatures are taken as they stand; checking them is the caller's decision.
LocalFileHeader ParseLocalFileHeader(std::span<const std::uint8_t, LocalFileHeader::kSize> bytes);
CentralFileHeader ParseCentralFileHeader(
    std::span<const std::uint8_t, CentralFileHeader::kSize> bytes);
EndOfCentralDirectory ParseEndOfCentralDirectory(
    std::span<const std::uint8_t, EndOfCentralDirectory::kSize> bytes);

}  // namespace zip
