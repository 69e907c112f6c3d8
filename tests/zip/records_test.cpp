#include "zip/records.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <numeric>

namespace zip {
namespace {

// Records of a two-entry archive written by Python's zipfile; the second entry is
// "hello.txt", deflated, dated 2015-07-11 13:45:30.
constexpr std::array<std::uint8_t, 30> kPythonLocal = {
    0x50, 0x4B, 0x03, 0x04, 0x14, 0x00, 0x00, 0x00, 0x08, 0x00, 0xAF, 0x6D, 0xEB, 0x46, 0xBB,
    0xFE, 0x42, 0x0F, 0x11, 0x00, 0x00, 0x00, 0x23, 0x00, 0x00, 0x00, 0x09, 0x00, 0x00, 0x00};
constexpr std::array<std::uint8_t, 46> kPythonCentral = {
    0x50, 0x4B, 0x01, 0x02, 0x14, 0x00, 0x14, 0x00, 0x00, 0x00, 0x08, 0x00, 0xAF, 0x6D, 0xEB, 0x46,
    0xBB, 0xFE, 0x42, 0x0F, 0x11, 0x00, 0x00, 0x00, 0x23, 0x00, 0x00, 0x00, 0x09, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00};
constexpr std::array<std::uint8_t, 22> kPythonEnd = {0x50, 0x4B, 0x05, 0x06, 0x00, 0x00, 0x00, 0x00,
                                                     0x02, 0x00, 0x02, 0x00, 0x66, 0x00, 0x00, 0x00,
                                                     0x57, 0x00, 0x00, 0x00, 0x00, 0x00};

TEST(RecordsTest, ParsesLocalFileHeaderOfAnotherWriter) {
  const LocalFileHeader header = ParseLocalFileHeader(kPythonLocal);
  EXPECT_EQ(header.signature, LocalFileHeader::kSignature);
  EXPECT_EQ(header.version_needed, 20);
  EXPECT_EQ(header.flags, 0);
  EXPECT_EQ(header.compression_method, kMethodDeflated);
  EXPECT_EQ(header.last_mod_time, 0x6DAF);
  EXPECT_EQ(header.last_mod_date, 0x46EB);
  EXPECT_EQ(header.crc32, 0x0F42FEBBu);
  EXPECT_EQ(header.compressed_size, 17u);
  EXPECT_EQ(header.uncompressed_size, 35u);
  EXPECT_EQ(header.file_name_length, 9);
  EXPECT_EQ(header.extra_field_length, 0);
  EXPECT_EQ(Serialize(header), kPythonLocal);
}

TEST(RecordsTest, ParsesCentralFileHeaderOfAnotherWriter) {
  const CentralFileHeader header = ParseCentralFileHeader(kPythonCentral);
  EXPECT_EQ(header.signature, CentralFileHeader::kSignature);
  EXPECT_EQ(header.version_made_by, 20);
  EXPECT_EQ(header.version_needed, 20);
  EXPECT_EQ(header.flags, 0);
  EXPECT_EQ(header.compression_method, kMethodDeflated);
  EXPECT_EQ(header.last_mod_time, 0x6DAF);
  EXPECT_EQ(header.last_mod_date, 0x46EB);
  EXPECT_EQ(header.crc32, 0x0F42FEBBu);
  EXPECT_EQ(header.compressed_size, 17u);
  EXPECT_EQ(header.uncompressed_size, 35u);
  EXPECT_EQ(header.file_name_length, 9);
  EXPECT_EQ(header.extra_field_length, 0);
  EXPECT_EQ(header.file_comment_length, 0);
  EXPECT_EQ(header.disk_number_start, 0);
  EXPECT_EQ(header.internal_attributes, 0);
  EXPECT_EQ(header.external_attributes, 0x20u);
  EXPECT_EQ(header.local_header_offset, 31u);
  EXPECT_EQ(Serialize(header), kPythonCentral);
}

TEST(RecordsTest, ParsesEndOfCentralDirectoryOfAnotherWriter) {
  const EndOfCentralDirectory record = ParseEndOfCentralDirectory(kPythonEnd);
  EXPECT_EQ(record.signature, EndOfCentralDirectory::kSignature);
  EXPECT_EQ(record.disk_number, 0);
  EXPECT_EQ(record.directory_disk, 0);
  EXPECT_EQ(record.disk_entries, 2);
  EXPECT_EQ(record.total_entries, 2);
  EXPECT_EQ(record.directory_size, 102u);
  EXPECT_EQ(record.directory_offset, 87u);
  EXPECT_EQ(record.comment_length, 0);
  EXPECT_EQ(Serialize(record), kPythonEnd);
}

// Bytes 1, 2, 3, ... make every field's value name its offset, so a field read from or written
// to the wrong place, or with the wrong width or byte order, shows.
template <std::size_t N>
constexpr std::array<std::uint8_t, N> CountingBytes() {
  std::array<std::uint8_t, N> bytes{};
  std::iota(bytes.begin(), bytes.end(), std::uint8_t{1});
  return bytes;
}

TEST(RecordsTest, LocalFileHeaderFieldsSitAtTheirOffsets) {
  constexpr auto kBytes = CountingBytes<LocalFileHeader::kSize>();
  const LocalFileHeader header = ParseLocalFileHeader(kBytes);
  EXPECT_EQ(header.signature, 0x04030201u);
  EXPECT_EQ(header.version_needed, 0x0605);
  EXPECT_EQ(header.flags, 0x0807);
  EXPECT_EQ(header.compression_method, 0x0A09);
  EXPECT_EQ(header.last_mod_time, 0x0C0B);
  EXPECT_EQ(header.last_mod_date, 0x0E0D);
  EXPECT_EQ(header.crc32, 0x1211100Fu);
  EXPECT_EQ(header.compressed_size, 0x16151413u);
  EXPECT_EQ(header.uncompressed_size, 0x1A191817u);
  EXPECT_EQ(header.file_name_length, 0x1C1B);
  EXPECT_EQ(header.extra_field_length, 0x1E1D);
  EXPECT_EQ(Serialize(header), kBytes);
}

TEST(RecordsTest, CentralFileHeaderFieldsSitAtTheirOffsets) {
  constexpr auto kBytes = CountingBytes<CentralFileHeader::kSize>();
  const CentralFileHeader header = ParseCentralFileHeader(kBytes);
  EXPECT_EQ(header.signature, 0x04030201u);
  EXPECT_EQ(header.version_made_by, 0x0605);
  EXPECT_EQ(header.version_needed, 0x0807);
  EXPECT_EQ(header.flags, 0x0A09);
  EXPECT_EQ(header.compression_method, 0x0C0B);
  EXPECT_EQ(header.last_mod_time, 0x0E0D);
  EXPECT_EQ(header.last_mod_date, 0x100F);
  EXPECT_EQ(header.crc32, 0x14131211u);
  EXPECT_EQ(header.compressed_size, 0x18171615u);
  EXPECT_EQ(header.uncompressed_size, 0x1C1B1A19u);
  EXPECT_EQ(header.file_name_length, 0x1E1D);
  EXPECT_EQ(header.extra_field_length, 0x201F);
  EXPECT_EQ(header.file_comment_length, 0x2221);
  EXPECT_EQ(header.disk_number_start, 0x2423);
  EXPECT_EQ(header.internal_attributes, 0x2625);
  EXPECT_EQ(header.external_attributes, 0x2A292827u);
  EXPECT_EQ(header.local_header_offset, 0x2E2D2C2Bu);
  EXPECT_EQ(Serialize(header), kBytes);
}

TEST(RecordsTest, EndOfCentralDirectoryFieldsSitAtTheirOffsets) {
  constexpr auto kBytes = CountingBytes<EndOfCentralDirectory::kSize>();
  const EndOfCentralDirectory record = ParseEndOfCentralDirectory(kBytes);
  EXPECT_EQ(record.signature, 0x04030201u);
  EXPECT_EQ(record.disk_number, 0x0605);
  EXPECT_EQ(record.directory_disk, 0x0807);
  EXPECT_EQ(record.disk_entries, 0x0A09);
  EXPECT_EQ(record.total_entries, 0x0C0B);
  EXPECT_EQ(record.directory_size, 0x100F0E0Du);
  EXPECT_EQ(record.directory_offset, 0x14131211u);
  EXPECT_EQ(record.comment_length, 0x1615);
  EXPECT_EQ(Serialize(record), kBytes);
}

// The writer builds each record from a new one: every byte not set must be zero.
TEST(RecordsTest, NewRecordsSerialiseToZeros) {
  EXPECT_EQ(Serialize(LocalFileHeader{}), (std::array<std::uint8_t, LocalFileHeader::kSize>{}));
  EXPECT_EQ(Serialize(CentralFileHeader{}), (std::array<std::uint8_t, CentralFileHeader::kSize>{}));
  EXPECT_EQ(Serialize(EndOfCentralDirectory{}),
            (std::array<std::uint8_t, EndOfCentralDirectory::kSize>{}));
}

}  // namespace
}  // namespace zip
