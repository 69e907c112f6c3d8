#include "resources/resource_registry.h"

#include <gtest/gtest.h>

#include <string_view>

namespace resources {
namespace {

Bytes AsBytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string AsText(Bytes bytes) { return {bytes.begin(), bytes.end()}; }

TEST(ResourceRegistryTest, FindComparesWholeNamesWithoutRegardToAsciiCase) {
  ResourceRegistry registry;
  registry.Add("korvantelprincipal", "ZIP", {AsBytes("PK")});
  for (const char* name : {"korvantelprincipal", "KORVANTELPRINCIPAL", "KorvantelPrincipal"}) {
    ASSERT_NE(registry.Find(name), nullptr) << name;
    EXPECT_EQ(registry.Find(name)->Name(), "korvantelprincipal");
  }
  for (const char* name : {"korvantelprincipal ", "korvantelprincipa", "korvantelprincipal.zip", "",
                           "korvantelprincipaL\xC9"}) {
    EXPECT_EQ(registry.Find(name), nullptr) << name;
  }
}

TEST(ResourceRegistryTest, OnlyAsciiLettersFoldCase) {
  ResourceRegistry registry;
  registry.Add("caf\xE9", "zip", {AsBytes("x")});
  EXPECT_NE(registry.Find("CAF\xE9"), nullptr);
  EXPECT_EQ(registry.Find("CAF\xC9"), nullptr);
  EXPECT_EQ(registry.Find("caf\xE9")->ValueType(), "ZIP");
}

TEST(ResourceRegistryTest, ValueIsThePiecesJoinedInOrderZeroBytesIncluded) {
  using namespace std::string_view_literals;
  ResourceRegistry registry;
  registry.Add("joined", "zip", {AsBytes("ab\0"sv), AsBytes(""), AsBytes("\0cd"sv)});
  EXPECT_EQ(AsText(registry.Find("joined")->Value()), "ab\0\0cd"sv);
}

TEST(ResourceRegistryTest, ASinglePieceIsTheValueItselfWithoutACopy) {
  static constexpr std::uint8_t kData[] = {1, 2, 3};
  ResourceRegistry registry;
  registry.Add("single", "ZIP", {Bytes(kData)});
  EXPECT_EQ(registry.Find("single")->Value().data(), kData);
  EXPECT_EQ(registry.Find("single")->Value().size(), 3u);
}

TEST(ResourceRegistryTest, AnEmptyListRegistersNothingAndDuplicatesAreKept) {
  ResourceRegistry registry;
  registry.Add("none", "ZIP", {});
  EXPECT_EQ(registry.Find("none"), nullptr);
  registry.Add("twice", "ZIP", {AsBytes("first")});
  registry.Add("TWICE", "ZIP", {AsBytes("second")});
  ASSERT_NE(registry.Find("twice"), nullptr);
}

}  // namespace
}  // namespace resources
