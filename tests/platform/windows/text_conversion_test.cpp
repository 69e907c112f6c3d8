// UTF-8 and the system code page, as the launcher converts the paths it hands on.
#include <gtest/gtest.h>

#include "platform/native.h"
#include "platform/windows/windows_api.h"

namespace platform {
namespace {

class TextConversionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (::GetACP() != 1252) GTEST_SKIP() << "the cases are those of Windows-1252";
  }
};

TEST_F(TextConversionTest, CharactersOfTheCodePageComeThroughBothWays) {
  const struct {
    const char* utf8;
    const char* code_page;
  } cases[] = {
      {"C:\\Users\\Jos\xC3\xA9\\Dokumente", "C:\\Users\\Jos\xE9\\Dokumente"},
      {"\xE2\x82\xAC 100", "\x80 100"},  // the euro sign, where Latin-1 has a control code
      {"plain", "plain"},
      {"", ""},
  };
  for (const auto& c : cases) {
    bool lossy = true;
    EXPECT_EQ(Utf8ToSystemCodePage(c.utf8, &lossy), c.code_page) << c.utf8;
    EXPECT_FALSE(lossy) << c.utf8;
    EXPECT_EQ(SystemCodePageToUtf8(c.code_page), c.utf8) << c.utf8;
  }
}

TEST_F(TextConversionTest, ACharacterOutsideTheCodePageBecomesTheDefaultAndSaysSo) {
  const struct {
    const char* utf8;
    const char* code_page;
  } cases[] = {
      {"\xE4\xB8\xAD.zip", "?.zip"},  // a Chinese character
      {"\xC4\x80", "?"},              // A with macron: no best fit to a plain "A"
      {"\xE2\x88\x9E", "?"},          // infinity: no best fit to an "8"
  };
  for (const auto& c : cases) {
    bool lossy = false;
    EXPECT_EQ(Utf8ToSystemCodePage(c.utf8, &lossy), c.code_page) << c.utf8;
    EXPECT_TRUE(lossy) << c.utf8;
  }
}

TEST_F(TextConversionTest, EachMalformedSequenceBecomesOneQuestionMark) {
  const struct {
    const char* utf8;
    const char* code_page;
  } cases[] = {
      {"a\xFF"
       "b",
       "a?b"},        // a byte that never begins a sequence
      {"\xC3", "?"},  // cut off at the end
      {"\xE2\x82"
       "x",
       "?x"},                        // a three-byte start, cut off by an ASCII byte
      {"\xC0\xAF", "??"},            // an overlong form
      {"\xED\xA0\x80", "???"},       // a surrogate
      {"\xF4\x90\x80\x80", "????"},  // beyond U+10FFFF
      {"\xC3\xA9\xA9", "\xE9?"},     // a stray continuation byte
  };
  for (const auto& c : cases) {
    bool lossy = true;
    EXPECT_EQ(Utf8ToSystemCodePage(c.utf8, &lossy), c.code_page) << c.code_page;
    EXPECT_FALSE(lossy) << c.code_page;
  }
}

}  // namespace
}  // namespace platform
