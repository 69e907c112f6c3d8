#include "zip/crc32_kernels.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

namespace zip::internal {

namespace {

constexpr std::uint32_t kPolynomial = 0xEDB88320;

// x^power mod P in the reflected bit order of the register, shifted left by one as the
// reflected 64-bit products need.
constexpr std::uint64_t FoldConstant(int power) {
  std::uint32_t reg = 0x80000000;  // x^0
  for (int i = 0; i < power; ++i) reg = (reg >> 1) ^ ((reg & 1) != 0 ? kPolynomial : 0);
  return std::uint64_t{reg} << 1;
}

// Folding distances: four lanes of 128 bits, one lane, and the last 64 bits.
constexpr std::uint64_t kFold4Low = FoldConstant(4 * 128 + 32);
constexpr std::uint64_t kFold4High = FoldConstant(4 * 128 - 32);
constexpr std::uint64_t kFold1Low = FoldConstant(128 + 32);
constexpr std::uint64_t kFold1High = FoldConstant(128 - 32);
constexpr std::uint64_t kFold64 = FoldConstant(64);
// Barrett reduction: P itself and floor(x^64 / P), both 33 bits, reflected.
constexpr std::uint64_t kReflectedPolynomial = std::uint64_t{kPolynomial} << 1 | 1;
constexpr std::uint64_t kBarrettQuotient = 0x1F7011641;

constexpr std::size_t kLane = 16;
constexpr std::size_t kMinimum = 4 * kLane;

#define ZIP_CLMUL_TARGET __attribute__((target("pclmul,sse4.1")))
#if defined(__i386__)
// 32-bit Windows keeps the stack only 4-byte aligned; spilled vectors need 16.
#define ZIP_REALIGN_STACK __attribute__((force_align_arg_pointer))
#else
#define ZIP_REALIGN_STACK
#endif

ZIP_CLMUL_TARGET __m128i Pair(std::uint64_t low, std::uint64_t high) {
  return _mm_set_epi32(static_cast<int>(high >> 32), static_cast<int>(high),
                       static_cast<int>(low >> 32), static_cast<int>(low));
}

ZIP_CLMUL_TARGET __m128i Load(const std::uint8_t* bytes) {
  return _mm_loadu_si128(static_cast<const __m128i*>(static_cast<const void*>(bytes)));
}

// Carries a 128-bit lane forward over the folding distance and adds it to `next`.
ZIP_CLMUL_TARGET __m128i Fold(__m128i lane, __m128i constants, __m128i next) {
  const __m128i low = _mm_clmulepi64_si128(lane, constants, 0x00);
  const __m128i high = _mm_clmulepi64_si128(lane, constants, 0x11);
  return _mm_xor_si128(_mm_xor_si128(low, high), next);
}

// Whole 16-byte lanes only, at least four of them.
ZIP_CLMUL_TARGET ZIP_REALIGN_STACK std::uint32_t FoldLanes(std::uint32_t reg,
                                                           const std::uint8_t* bytes,
                                                           std::size_t size) {
  __m128i x1 = _mm_xor_si128(Load(bytes), _mm_cvtsi32_si128(static_cast<int>(reg)));
  __m128i x2 = Load(bytes + 16);
  __m128i x3 = Load(bytes + 32);
  __m128i x4 = Load(bytes + 48);
  bytes += kMinimum;
  size -= kMinimum;

  const __m128i fold4 = Pair(kFold4Low, kFold4High);
  for (; size >= kMinimum; bytes += kMinimum, size -= kMinimum) {
    x1 = Fold(x1, fold4, Load(bytes));
    x2 = Fold(x2, fold4, Load(bytes + 16));
    x3 = Fold(x3, fold4, Load(bytes + 32));
    x4 = Fold(x4, fold4, Load(bytes + 48));
  }

  const __m128i fold1 = Pair(kFold1Low, kFold1High);
  x1 = Fold(x1, fold1, x2);
  x1 = Fold(x1, fold1, x3);
  x1 = Fold(x1, fold1, x4);
  for (; size >= kLane; bytes += kLane, size -= kLane) x1 = Fold(x1, fold1, Load(bytes));

  // 128 bits to 64, then 64 to 32.
  const __m128i low32 = _mm_setr_epi32(-1, 0, -1, 0);
  x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), _mm_clmulepi64_si128(x1, fold1, 0x10));
  const __m128i rest = _mm_srli_si128(x1, 4);
  x1 = _mm_clmulepi64_si128(_mm_and_si128(x1, low32), Pair(kFold64, 0), 0x00);
  x1 = _mm_xor_si128(x1, rest);

  const __m128i barrett = Pair(kReflectedPolynomial, kBarrettQuotient);
  __m128i t = _mm_clmulepi64_si128(_mm_and_si128(x1, low32), barrett, 0x10);
  t = _mm_clmulepi64_si128(_mm_and_si128(t, low32), barrett, 0x00);
  return static_cast<std::uint32_t>(_mm_extract_epi32(_mm_xor_si128(x1, t), 1));
}

}  // namespace

bool ClmulSupported() {
  return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
}

std::uint32_t Crc32Clmul(std::uint32_t reg, std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kMinimum) return Crc32Tables(reg, bytes);
  const std::size_t folded = bytes.size() - bytes.size() % kLane;
  reg = FoldLanes(reg, bytes.data(), folded);
  return Crc32Tables(reg, bytes.subspan(folded));
}

}  // namespace zip::internal

#else

namespace zip::internal {

bool ClmulSupported() { return false; }

std::uint32_t Crc32Clmul(std::uint32_t reg, std::span<const std::uint8_t> bytes) {
  return Crc32Tables(reg, bytes);
}

}  // namespace zip::internal

#endif
