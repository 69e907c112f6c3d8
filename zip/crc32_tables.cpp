#include <array>

#include "zip/crc32_kernels.h"
#include "zip/little_endian.h"

namespace zip::internal {

namespace {

constexpr std::uint32_t kPolynomial = 0xEDB88320;
constexpr std::size_t kSlices = 16;

using Table = std::array<std::uint32_t, 256>;

// tables[0] advances the register over one byte; tables[k] over one byte followed by k zero
// bytes, so that sixteen bytes can be looked up independently and combined.
constexpr std::array<Table, kSlices> MakeTables() {
  std::array<Table, kSlices> tables{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t reg = i;
    for (int bit = 0; bit < 8; ++bit) reg = (reg >> 1) ^ ((reg & 1) != 0 ? kPolynomial : 0);
    tables[0][i] = reg;
  }
  for (std::size_t k = 1; k < kSlices; ++k) {
    for (std::size_t i = 0; i < 256; ++i) {
      const std::uint32_t previous = tables[k - 1][i];
      tables[k][i] = (previous >> 8) ^ tables[0][previous & 0xFF];
    }
  }
  return tables;
}

constexpr std::array<Table, kSlices> kTables = MakeTables();

constexpr std::uint32_t Look(std::size_t table, std::uint32_t word, int byte) {
  return kTables[table][(word >> (8 * byte)) & 0xFF];
}

std::uint32_t Step16(std::uint32_t reg, std::span<const std::uint8_t, kSlices> bytes) {
  const std::uint32_t a = LoadU32(bytes, 0) ^ reg;
  const std::uint32_t b = LoadU32(bytes, 4);
  const std::uint32_t c = LoadU32(bytes, 8);
  const std::uint32_t d = LoadU32(bytes, 12);
  return Look(15, a, 0) ^ Look(14, a, 1) ^ Look(13, a, 2) ^ Look(12, a, 3) ^  //
         Look(11, b, 0) ^ Look(10, b, 1) ^ Look(9, b, 2) ^ Look(8, b, 3) ^    //
         Look(7, c, 0) ^ Look(6, c, 1) ^ Look(5, c, 2) ^ Look(4, c, 3) ^      //
         Look(3, d, 0) ^ Look(2, d, 1) ^ Look(1, d, 2) ^ Look(0, d, 3);
}

std::uint32_t Sliced(std::uint32_t reg, std::span<const std::uint8_t> bytes) {
  for (; bytes.size() >= kSlices; bytes = bytes.subspan(kSlices)) {
    reg = Step16(reg, bytes.first<kSlices>());
  }
  for (const std::uint8_t byte : bytes) reg = kTables[0][(reg ^ byte) & 0xFF] ^ (reg >> 8);
  return reg;
}

// The register is a polynomial in reflected bit order (bit 31 holds x^0); gives a * b mod P.
constexpr std::uint32_t MultiplyModP(std::uint32_t a, std::uint32_t b) {
  std::uint32_t product = 0;
  for (std::uint32_t bit = 0x80000000; bit != 0; bit >>= 1) {
    if ((a & bit) != 0) product ^= b;
    b = (b >> 1) ^ ((b & 1) != 0 ? kPolynomial : 0);
  }
  return product;
}

// x^(8 * count) mod P: multiplying a register by it feeds it `count` zero bytes.
constexpr std::uint32_t ZeroBytesFactor(std::size_t count) {
  std::uint32_t reg = 0x80000000;
  for (std::size_t i = 0; i < 8 * count; ++i) {
    reg = (reg >> 1) ^ ((reg & 1) != 0 ? kPolynomial : 0);
  }
  return reg;
}

// One chain of lookups waits on the one before it; three lanes over separate parts of a block
// keep the processor busy, and the register being linear lets their results be joined.
constexpr std::size_t kLaneSize = 4096;
constexpr std::uint32_t kLaneFactor = ZeroBytesFactor(kLaneSize);

}  // namespace

std::uint32_t Crc32Tables(std::uint32_t reg, std::span<const std::uint8_t> bytes) {
  for (; bytes.size() >= 3 * kLaneSize; bytes = bytes.subspan(3 * kLaneSize)) {
    const auto first = bytes.first<kLaneSize>();
    const auto second = bytes.subspan<kLaneSize, kLaneSize>();
    const auto third = bytes.subspan<2 * kLaneSize, kLaneSize>();
    std::uint32_t a = reg;
    std::uint32_t b = 0;
    std::uint32_t c = 0;
    for (std::size_t at = 0; at < kLaneSize; at += kSlices) {
      a = Step16(a, first.subspan(at).first<kSlices>());
      b = Step16(b, second.subspan(at).first<kSlices>());
      c = Step16(c, third.subspan(at).first<kSlices>());
    }
    reg = MultiplyModP(MultiplyModP(a, kLaneFactor) ^ b, kLaneFactor) ^ c;
  }
  return Sliced(reg, bytes);
}

}  // namespace zip::internal
