#include "zip/entry_names.h"

#include <gtest/gtest.h>

#include <string_view>

namespace zip {
namespace {

struct NameCase {
  std::string_view name;
  bool climbs;
};

class ParentSegmentTest : public testing::TestWithParam<NameCase> {};

TEST_P(ParentSegmentTest, FindsADoubleDotSegmentBetweenSeparatorsOrEnds) {
  EXPECT_EQ(HasParentSegment(GetParam().name), GetParam().climbs) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Names, ParentSegmentTest,
                         testing::Values(NameCase{"..", true}, NameCase{"../x", true},
                                         NameCase{"..\\x", true}, NameCase{"a/../b", true},
                                         NameCase{"a\\..\\b", true}, NameCase{"a/..\\b", true},
                                         NameCase{"a/..", true}, NameCase{"a\\..", true},
                                         NameCase{"../", true}, NameCase{"a/b/../../..", true},
                                         NameCase{"/../x", true}, NameCase{"a//../x", true},
                                         // What Windows would trim to "..".
                                         NameCase{"...", true}, NameCase{".. /x", true},
                                         NameCase{"a/. ./b", true}, NameCase{"a\\.. .", true},
                                         // Dots that do not make a parent segment.
                                         NameCase{"x", false}, NameCase{".", false},
                                         NameCase{"./x", false}, NameCase{". /x", false},
                                         NameCase{"..a", false}, NameCase{"a..", false},
                                         NameCase{"a/..b/c", false}, NameCase{"a/b../c", false},
                                         NameCase{".hidden/x", false}, NameCase{"a/./b", false},
                                         NameCase{"", false}, NameCase{"C:..x", false}));

}  // namespace
}  // namespace zip
