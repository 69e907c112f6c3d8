// The standard zip CRC-32 (reflected polynomial 0xEDB88320), computed by the library itself.
#pragma once

#include <cstdint>
#include <span>

namespace zip {

inline constexpr std::uint32_t kCrc32Initial = 0xFFFFFFFF;

// Feeds bytes into a running CRC register. A run starts at kCrc32Initial and complements the
// register at its end; feeding the bytes in pieces gives the same register as feeding them whole.
std::uint32_t Crc32Update(std::uint32_t reg, std::span<const std::uint8_t> bytes);

// The finished CRC-32 of the bytes.
inline std::uint32_t Crc32Of(std::span<const std::uint8_t> bytes) {
  return ~Crc32Update(kCrc32Initial, bytes);
}

}  // namespace zip
