#include "resources/bundle.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace resources {
namespace {

std::vector<std::uint8_t> ReadFile(const char* path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(BundleTest, RegisteredValueIsTheBundleFileByteForByte) {
  ResourceRegistry registry;
  RegisterBundle(registry);
  const Resource* bundle = registry.Find("KorvantelPrincipal");
  ASSERT_NE(bundle, nullptr);
  EXPECT_EQ(bundle->ValueType(), "ZIP");
  const std::vector<std::uint8_t> file = ReadFile(KORVANTEL_BUNDLE_FILE);
  ASSERT_FALSE(file.empty());
  ASSERT_EQ(bundle->Value().size(), file.size());
  EXPECT_TRUE(std::ranges::equal(bundle->Value(), file));
  // The value refers to the executable's constant data: a start costs no copy of it.
  EXPECT_EQ(bundle->Value().data(), BundleData().data());
}

}  // namespace
}  // namespace resources
