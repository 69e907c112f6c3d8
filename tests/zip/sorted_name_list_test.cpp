#include "zip/sorted_name_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zip {
namespace {

std::vector<std::string> NamesOf(const SortedNameList& list) {
  std::vector<std::string> names;
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.At(i));
  return names;
}

TEST(SortedNameListTest, KeepsNamesInOrderWithoutRegardToCase) {
  SortedNameList list;
  EXPECT_TRUE(list.Empty());
  for (const char* name : {"b.txt", "C.txt", "a.txt", "_x", "A.TXT", "B.TXT"}) list.Add(name);
  // Other cases of a held name are not added again.
  EXPECT_EQ(NamesOf(list), (std::vector<std::string>{"_x", "a.txt", "b.txt", "C.txt"}));
}

TEST(SortedNameListTest, FindsANameInAnyCase) {
  SortedNameList list;
  list.Add("readme.txt");
  list.Add("docs/Guide.html");
  EXPECT_EQ(list.IndexOf("README.TXT"), 1);
  EXPECT_EQ(list.IndexOf("readme.txt"), 1);
  EXPECT_EQ(list.IndexOf("DOCS/guide.HTML"), 0);
  EXPECT_EQ(list.IndexOf("readme"), -1);
  EXPECT_EQ(list.IndexOf("readme.txt2"), -1);
  EXPECT_EQ(list.IndexOf(""), -1);
  list.Clear();
  EXPECT_EQ(list.IndexOf("readme.txt"), -1);
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
}  // namespace zip
