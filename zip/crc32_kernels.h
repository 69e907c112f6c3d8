// The CRC-32 kernels behind Crc32Update, open to the tests so that each is checked on its own.
// Both work on the raw register and give identical results.
#pragma once

#include <cstdint>
#include <span>

namespace zip::internal {

// Portable: sixteen constant tables, sixteen bytes per lookup step, three independent lanes
// over each 12 KiB block.
std::uint32_t Crc32Tables(std::uint32_t reg, std::span<const std::uint8_t> bytes);

// Whether this processor has the carry-less multiply that Crc32Clmul needs.
bool ClmulSupported();

// Folds sixteen bytes per step with carry-less multiplication; only where ClmulSupported().
std::uint32_t Crc32Clmul(std::uint32_t reg, std::span<const std::uint8_t> bytes);

}  // namespace zip::internal
