// inflate_floor ARCHIVE...: zlib's own inflate time for the deflated entries of the archives,
// the decompression share of the least any extractor must spend. Each archive is read into
// memory first; then every deflated entry is inflated by zlib in one call into a buffer of its
// full size, so the figure holds no file access and no chunking. Prints the median of several
// rounds as "inflate_seconds=S", and the bytes inflated as "inflated_bytes=N".
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "platform/exception.h"
#include "platform/file_stream.h"
#include "zip/records.h"

namespace {

constexpr int kRounds = 7;

struct DeflatedEntry {
  std::span<const std::uint8_t> data;
  std::uint32_t size;
};

std::vector<std::uint8_t> ReadWhole(const std::string& path) {
  platform::TFileStream file(path, platform::FileMode::kOpenRead);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.Size()));
  file.ReadBuffer(bytes.data(), bytes.size());
  return bytes;
}

// The archives are the benchmark's own, written by the library: their records are trusted.
std::vector<DeflatedEntry> DeflatedEntries(std::span<const std::uint8_t> archive) {
  const zip::EndOfCentralDirectory end =
      zip::ParseEndOfCentralDirectory(archive.last<zip::EndOfCentralDirectory::kSize>());
  std::vector<DeflatedEntry> entries;
  std::size_t at = end.directory_offset;
  for (int i = 0; i < end.disk_entries; ++i) {
    const zip::CentralFileHeader central =
        zip::ParseCentralFileHeader(archive.subspan(at).first<zip::CentralFileHeader::kSize>());
    at += zip::CentralFileHeader::kSize + central.file_name_length + central.extra_field_length +
          central.file_comment_length;
    if (central.compression_method != zip::kMethodDeflated) continue;
    const zip::LocalFileHeader local = zip::ParseLocalFileHeader(
        archive.subspan(central.local_header_offset).first<zip::LocalFileHeader::kSize>());
    const std::size_t data_start = central.local_header_offset + zip::LocalFileHeader::kSize +
                                   local.file_name_length + local.extra_field_length;
    entries.push_back(
        {archive.subspan(data_start, central.compressed_size), central.uncompressed_size});
  }
  return entries;
}

// False when zlib does not give exactly the entry's size.
bool Inflate(const DeflatedEntry& entry, std::vector<std::uint8_t>& out) {
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
  stream.next_in = entry.data.data();
  stream.avail_in = static_cast<uInt>(entry.data.size());
  stream.next_out = out.data();
  stream.avail_out = entry.size;
  const int result = inflate(&stream, Z_FINISH);
  const bool whole = result == Z_STREAM_END && stream.total_out == entry.size;
  inflateEnd(&stream);
  return whole;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: inflate_floor ARCHIVE...\n");
    return 2;
  }
  try {
    std::vector<std::vector<std::uint8_t>> archives;
    std::vector<DeflatedEntry> entries;
    for (int i = 1; i < argc; ++i) {
      archives.push_back(ReadWhole(argv[i]));
      const std::vector<DeflatedEntry> found = DeflatedEntries(archives.back());
      entries.insert(entries.end(), found.begin(), found.end());
    }
    std::uint64_t total = 0;
    std::uint32_t largest = 0;
    for (const DeflatedEntry& entry : entries) {
      total += entry.size;
      largest = std::max(largest, entry.size);
    }
    std::vector<std::uint8_t> out(largest);
    std::vector<double> seconds;
    for (int round = 0; round < kRounds; ++round) {
      const auto start = std::chrono::steady_clock::now();
      for (const DeflatedEntry& entry : entries) {
        if (!Inflate(entry, out)) {
          std::fprintf(stderr, "inflate_floor: zlib failed on an entry\n");
          return 1;
        }
      }
      const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
      seconds.push_back(elapsed.count());
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("inflate_seconds=%.6f\ninflated_bytes=%llu\n", seconds[seconds.size() / 2],
                static_cast<unsigned long long>(total));
  } catch (const platform::Exception& failure) {
    std::fprintf(stderr, "inflate_floor: %s\n", failure.what());
    return 1;
  }
  return 0;
}
