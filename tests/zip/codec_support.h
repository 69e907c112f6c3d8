// Test data and zlib used directly, as an independent peer of the codecs.
#pragma once

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <span>
#include <string_view>
#include <vector>

#include "platform/memory_stream.h"
#include "zip/deflater.h"
#include "zip/inflater.h"

namespace zip::codec_support {

inline constexpr std::uint32_t kBufferSize = 16384;

inline std::vector<std::uint8_t> RandomBytes(std::size_t size, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<std::uint8_t> bytes(size);
  for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
  return bytes;
}

// Words and line breaks, compressible as prose is.
inline std::vector<std::uint8_t> TextBytes(std::size_t size, std::uint32_t seed) {
  static constexpr std::string_view kWords[] = {
      "the",  "archive", "entry", "holds",  "a",       "file",  "of",   "words", "and",
      "then", "another", "one",   "folder", "deflate", "bytes", "name", "ends",  "with"};
  std::mt19937 random(seed);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kWords) - 1);
  std::vector<std::uint8_t> bytes;
  bytes.reserve(size + 16);
  while (bytes.size() < size) {
    const std::string_view word = kWords[pick(random)];
    bytes.insert(bytes.end(), word.begin(), word.end());
    bytes.push_back(random() % 12 == 0 ? '\n' : ' ');
  }
  bytes.resize(size);
  return bytes;
}

inline std::vector<std::uint8_t> BytesOf(std::string_view text) {
  return {text.begin(), text.end()};
}

inline std::uint32_t ZlibCrc(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint32_t>(
      crc32(crc32(0, nullptr, 0), bytes.data(), static_cast<uInt>(bytes.size())));
}

// One raw deflate stream made by zlib itself.
inline std::vector<std::uint8_t> ZlibDeflateRaw(std::span<const std::uint8_t> bytes) {
  z_stream stream{};
  EXPECT_EQ(deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY),
            Z_OK);
  std::vector<std::uint8_t> out(deflateBound(&stream, static_cast<uLong>(bytes.size())));
  stream.next_in = bytes.data();
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

// Inflates one raw deflate stream with zlib itself; fails the test on anything but a clean end.
inline std::vector<std::uint8_t> ZlibInflateRaw(std::span<const std::uint8_t> bytes,
                                                std::size_t expected_size) {
  z_stream stream{};
  EXPECT_EQ(inflateInit2(&stream, -15), Z_OK);
  std::vector<std::uint8_t> out(expected_size + 1);
  stream.next_in = bytes.data();
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(inflate(&stream, Z_FINISH), Z_STREAM_END);
  EXPECT_EQ(stream.avail_in, 0u) << "bytes after the end of the deflate data";
  out.resize(stream.total_out);
  inflateEnd(&stream);
  return out;
}

struct Result {
  std::vector<std::uint8_t> bytes;
  std::uint32_t crc;
};

inline Result Deflate(std::span<const std::uint8_t> data, std::uint32_t buffer_size = kBufferSize) {
  platform::TMemoryStream source({data.begin(), data.end()});
  platform::TMemoryStream sink;
  TDeflater deflater(source, sink, buffer_size);
  deflater.Compress();
  return {{sink.Bytes().begin(), sink.Bytes().end()}, deflater.Crc32()};
}

inline Result Inflate(std::span<const std::uint8_t> data, std::uint32_t buffer_size = kBufferSize) {
  platform::TMemoryStream source({data.begin(), data.end()});
  platform::TMemoryStream sink;
  TInflater inflater(source, sink, buffer_size);
  inflater.Decompress();
  return {{sink.Bytes().begin(), sink.Bytes().end()}, inflater.Crc32()};
}

}  // namespace zip::codec_support
