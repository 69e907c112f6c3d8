#include "zip/crc32.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "zip/crc32_kernels.h"

namespace zip {
namespace {

std::vector<std::uint8_t> BytesOf(std::string_view text) { return {text.begin(), text.end()}; }

std::vector<std::uint8_t> RandomBytes(std::size_t size, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<std::uint8_t> bytes(size);
  for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
  return bytes;
}

std::uint32_t ZlibCrc(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint32_t>(
      crc32(crc32(0, nullptr, 0), bytes.data(), static_cast<uInt>(bytes.size())));
}

TEST(Crc32Test, KnownValues) {
  EXPECT_EQ(Crc32Of({}), 0u);
  EXPECT_EQ(Crc32Of(BytesOf("123456789")), 0xCBF43926u);
  EXPECT_EQ(Crc32Of(BytesOf("a")), 0xE8B7BE43u);
  EXPECT_EQ(Crc32Of(BytesOf("The quick brown fox jumps over the lazy dog")), 0x414FA339u);
}

using Kernel = std::uint32_t (*)(std::uint32_t, std::span<const std::uint8_t>);

struct KernelCase {
  const char* name;
  Kernel kernel;
  bool (*available)();
};

bool Always() { return true; }

// Every kernel is checked whether or not this processor would pick it.
class Crc32KernelTest : public testing::TestWithParam<KernelCase> {
 protected:
  void SetUp() override {
    if (!GetParam().available()) GTEST_SKIP() << "not supported by this processor";
  }
  std::uint32_t Finished(std::span<const std::uint8_t> bytes) const {
    return ~GetParam().kernel(kCrc32Initial, bytes);
  }
};

TEST_P(Crc32KernelTest, MatchesZlibOnEveryShortLengthAndAlignment) {
  const std::vector<std::uint8_t> data = RandomBytes(512 + 16, 1);
  for (std::size_t offset = 0; offset < 16; ++offset) {
    for (std::size_t size = 0; size <= 512; ++size) {
      const auto bytes = std::span(data).subspan(offset, size);
      ASSERT_EQ(Finished(bytes), ZlibCrc(bytes)) << "offset " << offset << " size " << size;
    }
  }
}

TEST_P(Crc32KernelTest, MatchesZlibOnRandomLengthsAndAlignments) {
  const std::vector<std::uint8_t> data = RandomBytes(6000, 2);
  std::mt19937 random(3);
  std::uniform_int_distribution<std::size_t> sizes(0, 5000);
  for (int round = 0; round < 200; ++round) {
    const std::size_t size = sizes(random);
    for (std::size_t offset = 0; offset < 16; ++offset) {
      const auto bytes = std::span(data).subspan(offset, size);
      ASSERT_EQ(Finished(bytes), ZlibCrc(bytes)) << "offset " << offset << " size " << size;
    }
  }
}

// Long inputs go through blocks that are split into lanes and joined again.
TEST_P(Crc32KernelTest, MatchesZlibOnLongInputs) {
  const std::vector<std::uint8_t> data = RandomBytes(200016, 6);
  for (const std::size_t size : {12287u, 12288u, 12289u, 3 * 12288u + 17, 65536u, 200000u}) {
    for (std::size_t offset = 0; offset < 16; ++offset) {
      const auto bytes = std::span(data).subspan(offset, size);
      ASSERT_EQ(Finished(bytes), ZlibCrc(bytes)) << "offset " << offset << " size " << size;
    }
  }
}

TEST_P(Crc32KernelTest, PiecesGiveTheSameRegisterAsTheWhole) {
  const std::vector<std::uint8_t> data = RandomBytes(100000, 4);
  const std::uint32_t whole = ZlibCrc(data);
  std::mt19937 random(5);
  for (int round = 0; round < 50; ++round) {
    std::uniform_int_distribution<std::size_t> piece(0, round % 2 == 0 ? 100 : 20000);
    std::uint32_t reg = kCrc32Initial;
    for (std::size_t at = 0; at < data.size();) {
      const std::size_t size = std::min(piece(random), data.size() - at);
      reg = GetParam().kernel(reg, std::span(data).subspan(at, size));
      at += size;
    }
    ASSERT_EQ(~reg, whole);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kernels, Crc32KernelTest,
    testing::Values(KernelCase{"Chosen", &Crc32Update, &Always},
                    KernelCase{"Tables", &internal::Crc32Tables, &Always},
                    KernelCase{"Clmul", &internal::Crc32Clmul, &internal::ClmulSupported}),
    [](const testing::TestParamInfo<KernelCase>& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace zip
