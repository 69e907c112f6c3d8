// Archives built by hand from the record serialisers, with any field falsified, for the reader's
// tests; and the layout of a written archive taken apart again, for the writer's.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codec_support.h"
#include "zip/little_endian.h"
#include "zip/records.h"

namespace zip::hand_archive {

using codec_support::BytesOf;

inline std::uint32_t CrcOf(std::string_view text) { return codec_support::ZlibCrc(BytesOf(text)); }

inline std::string Deflated(std::string_view text) {
  const std::vector<std::uint8_t> bytes = codec_support::ZlibDeflateRaw(BytesOf(text));
  return {bytes.begin(), bytes.end()};
}

// One member: its true headers are filled from the name and content, then edited.
struct HandEntry {
  std::string name{};
  std::string content{};
  std::uint16_t method = kMethodStored;     // kMethodDeflated: the content deflated by zlib
  std::optional<std::string> local_name{};  // when the local header names it otherwise
  std::string local_extra{};
  std::string central_extra{};
  std::string comment{};
  std::function<void(LocalFileHeader&)> edit_local{};
  std::function<void(CentralFileHeader&)> edit_central{};
  // Written instead of the content's own data, after the local header.
  std::optional<std::string> data{};
};

struct HandArchive {
  std::vector<HandEntry> entries{};
  std::function<void(EndOfCentralDirectory&)> edit_end{};
  std::string trailer{};  // bytes after the end record, such as an archive comment

  std::string Bytes() const {
    std::string out;
    std::string directory;
    for (const HandEntry& entry : entries) {
      const std::string data = entry.data.value_or(
          entry.method == kMethodDeflated ? Deflated(entry.content) : entry.content);
      const std::string local_name = entry.local_name.value_or(entry.name);
      LocalFileHeader local;
      local.signature = LocalFileHeader::kSignature;
      local.version_needed = 20;
      local.compression_method = entry.method;
      local.last_mod_time = 0x6DAF;  // 13:45:30
      local.last_mod_date = 0x46EB;  // 2015-07-11
      local.crc32 = CrcOf(entry.content);
      local.compressed_size = static_cast<std::uint32_t>(data.size());
      local.uncompressed_size = static_cast<std::uint32_t>(entry.content.size());
      local.file_name_length = static_cast<std::uint16_t>(local_name.size());
      local.extra_field_length = static_cast<std::uint16_t>(entry.local_extra.size());
      CentralFileHeader central;
      central.signature = CentralFileHeader::kSignature;
      central.version_made_by = 20;
      central.version_needed = 20;
      central.compression_method = entry.method;
      central.last_mod_time = local.last_mod_time;
      central.last_mod_date = local.last_mod_date;
      central.crc32 = local.crc32;
      central.compressed_size = local.compressed_size;
      central.uncompressed_size = local.uncompressed_size;
      central.file_name_length = static_cast<std::uint16_t>(entry.name.size());
      central.extra_field_length = static_cast<std::uint16_t>(entry.central_extra.size());
      central.file_comment_length = static_cast<std::uint16_t>(entry.comment.size());
      central.local_header_offset = static_cast<std::uint32_t>(out.size());
      if (entry.edit_local) entry.edit_local(local);
      if (entry.edit_central) entry.edit_central(central);
      Append(out, Serialize(local));
      out += local_name + entry.local_extra + data;
      Append(directory, Serialize(central));
      directory += entry.name + entry.central_extra + entry.comment;
    }
    EndOfCentralDirectory end;
    end.signature = EndOfCentralDirectory::kSignature;
    end.disk_entries = static_cast<std::uint16_t>(entries.size());
    end.total_entries = end.disk_entries;
    end.directory_size = static_cast<std::uint32_t>(directory.size());
    end.directory_offset = static_cast<std::uint32_t>(out.size());
    end.comment_length = static_cast<std::uint16_t>(trailer.size());
    if (edit_end) edit_end(end);
    out += directory;
    Append(out, Serialize(end));
    return out + trailer;
  }

 private:
  template <std::size_t N>
  static void Append(std::string& out, const std::array<std::uint8_t, N>& bytes) {
    out.append(bytes.begin(), bytes.end());
  }
};

// A written archive taken apart: each entry walked from its local header, then the directory.
struct LaidOutEntry {
  std::int64_t offset;
  LocalFileHeader local;
  std::string local_name;
  std::string data;  // as stored: deflated or not
  CentralFileHeader central;
  std::string central_name;

  // The entry's bytes, inflated when deflated.
  std::string Content() const {
    if (local.compression_method != kMethodDeflated) return data;
    const std::vector<std::uint8_t> bytes =
        codec_support::ZlibInflateRaw(BytesOf(data), local.uncompressed_size);
    return {bytes.begin(), bytes.end()};
  }
};

struct Layout {
  std::vector<LaidOutEntry> entries;
  EndOfCentralDirectory end;
  std::int64_t directory_start = 0;
};

// Expects the archive to be exactly local entries, central records and the end record.
inline Layout LayOut(std::string_view archive) {
  Layout layout;
  const std::vector<std::uint8_t> all = BytesOf(archive);
  const std::span<const std::uint8_t> bytes(all);
  if (archive.size() < EndOfCentralDirectory::kSize) {
    ADD_FAILURE() << "archive of " << archive.size() << " bytes";
    return layout;
  }
  std::size_t at = 0;
  while (at + 4 <= archive.size() && LoadU32(bytes, at) == LocalFileHeader::kSignature) {
    LaidOutEntry entry{};
    entry.offset = static_cast<std::int64_t>(at);
    entry.local = ParseLocalFileHeader(bytes.subspan(at).first<LocalFileHeader::kSize>());
    at += LocalFileHeader::kSize;
    entry.local_name = std::string(archive.substr(at, entry.local.file_name_length));
    at += entry.local.file_name_length + entry.local.extra_field_length;
    entry.data = std::string(archive.substr(at, entry.local.compressed_size));
    at += entry.local.compressed_size;
    layout.entries.push_back(std::move(entry));
  }
  layout.directory_start = static_cast<std::int64_t>(at);
  for (LaidOutEntry& entry : layout.entries) {
    entry.central = ParseCentralFileHeader(bytes.subspan(at).first<CentralFileHeader::kSize>());
    at += CentralFileHeader::kSize;
    entry.central_name = std::string(archive.substr(at, entry.central.file_name_length));
    at += entry.central.file_name_length;
  }
  EXPECT_EQ(at + EndOfCentralDirectory::kSize, archive.size()) << "bytes out of place";
  layout.end =
      ParseEndOfCentralDirectory(bytes.subspan(archive.size() - EndOfCentralDirectory::kSize)
                                     .first<EndOfCentralDirectory::kSize>());
  return layout;
}

}  // namespace zip::hand_archive
