#include "zip/crc32.h"

#include "zip/crc32_kernels.h"

namespace zip {

std::uint32_t Crc32Update(std::uint32_t reg, std::span<const std::uint8_t> bytes) {
  return internal::ClmulSupported() ? internal::Crc32Clmul(reg, bytes)
                                    : internal::Crc32Tables(reg, bytes);
}

}  // namespace zip
