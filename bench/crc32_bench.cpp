// Throughput of the library's CRC-32 beside a one-table-per-byte loop and zlib's crc32,
// measured in one run over the same buffer: medians of several repetitions, in MB/s.
#include <zlib.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <span>
#include <vector>

#include "zip/crc32.h"
#include "zip/crc32_kernels.h"

namespace {

constexpr std::size_t kBufferSize = 64u << 20;
constexpr int kRepetitions = 9;

constexpr std::array<std::uint32_t, 256> MakeByteTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t reg = i;
    for (int bit = 0; bit < 8; ++bit) reg = (reg >> 1) ^ ((reg & 1) != 0 ? 0xEDB88320 : 0);
    table[i] = reg;
  }
  return table;
}

constexpr std::array<std::uint32_t, 256> kByteTable = MakeByteTable();

std::uint32_t ByteLoop(std::span<const std::uint8_t> bytes) {
  std::uint32_t reg = 0xFFFFFFFF;
  for (const std::uint8_t byte : bytes) reg = kByteTable[(reg ^ byte) & 0xFF] ^ (reg >> 8);
  return ~reg;
}

std::uint32_t Zlib(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint32_t>(
      crc32(crc32(0, nullptr, 0), bytes.data(), static_cast<uInt>(bytes.size())));
}

std::uint32_t Library(std::span<const std::uint8_t> bytes) { return zip::Crc32Of(bytes); }

std::uint32_t LibraryTables(std::span<const std::uint8_t> bytes) {
  return ~zip::internal::Crc32Tables(zip::kCrc32Initial, bytes);
}

struct Candidate {
  const char* name;
  std::uint32_t (*crc)(std::span<const std::uint8_t>);
  std::vector<double> seconds;
  std::uint32_t result = 0;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  std::vector<std::uint8_t> buffer(kBufferSize);
  std::mt19937_64 random(2024);
  for (auto& byte : buffer) byte = static_cast<std::uint8_t>(random());

  std::array<Candidate, 4> candidates = {{{"library", &Library, {}},
                                          {"library tables only", &LibraryTables, {}},
                                          {"zlib crc32", &Zlib, {}},
                                          {"table per byte", &ByteLoop, {}}}};
  // Interleaved, so that a slow phase of the machine hits every candidate alike.
  for (int round = 0; round < kRepetitions; ++round) {
    for (Candidate& candidate : candidates) {
      const auto start = std::chrono::steady_clock::now();
      candidate.result = candidate.crc(buffer);
      const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
      candidate.seconds.push_back(elapsed.count());
    }
  }

  std::printf("CRC-32 over %zu MiB, median of %d runs (carry-less multiply %s)\n",
              kBufferSize >> 20, kRepetitions,
              zip::internal::ClmulSupported() ? "in use" : "not available");
  std::array<double, 4> rates{};
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    rates[i] = static_cast<double>(kBufferSize) / Median(candidates[i].seconds) / 1e6;
    std::printf("  %-20s %10.0f MB/s  crc %08x\n", candidates[i].name, rates[i],
                candidates[i].result);
  }
  const double vs_byte_loop = rates[0] / rates[3];
  const double vs_zlib = rates[0] / rates[2];
  std::printf("library / table per byte: %6.2fx (target >= 5)\n", vs_byte_loop);
  std::printf("library / zlib crc32:     %6.2fx (target >= 0.9)\n", vs_zlib);

  const bool agree = std::all_of(candidates.begin(), candidates.end(), [&](const Candidate& c) {
    return c.result == candidates[0].result;
  });
  if (!agree) {
    std::printf("the CRCs differ\n");
    return 1;
  }
  return 0;
}
