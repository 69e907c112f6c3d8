#include "zip/zip_error.h"

#include <gtest/gtest.h>

#include <string>

namespace zip {
namespace {

struct MessageCase {
  const ZipMessage* message;
  const char* id;
  const char* text;
};

class ZipMessageTest : public testing::TestWithParam<MessageCase> {};

TEST_P(ZipMessageTest, HasItsTextAndKey) {
  const MessageCase& c = GetParam();
  EXPECT_STREQ(c.message->text, c.text);
  EXPECT_EQ(std::string(c.message->key), std::string("myzipper2.") + c.id);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ZipMessageTest,
    testing::Values(
        MessageCase{&serrfilechange, "serrfilechange",
                    "Changing output file name is not allowed while (un)zipping"},
        MessageCase{&serrcorruptzip, "serrcorruptzip", "Corrupt ZIP file %s"},
        MessageCase{&serrunsupportedcompressionformat, "serrunsupportedcompressionformat",
                    "Unsupported compression format %d"},
        MessageCase{&serrmissingfilename, "serrmissingfilename", "Missing filename in entry %d"},
        MessageCase{&serrmissingarchivename, "serrmissingarchivename",
                    "Missing archive filename in streamed entry %d"},
        MessageCase{&serrfiledoesnotexist, "serrfiledoesnotexist", "File \"%s\" does not exist."},
        MessageCase{&serrcorruptentry, "serrcorruptentry", "Corrupt entry \"%s\" in ZIP file %s"},
        MessageCase{&serrunsafename, "serrunsafename", "Unsafe entry name \"%s\" in ZIP file %s"},
        MessageCase{&serrentrytoolarge, "serrentrytoolarge",
                    "Entry \"%s\" is too large for a ZIP file"},
        MessageCase{&serrtoomanyentries, "serrtoomanyentries",
                    "Too many entries for a ZIP file: %d"},
        MessageCase{&serrarchivetoolarge, "serrarchivetoolarge", "ZIP file %s would be too large"}),
    [](const testing::TestParamInfo<MessageCase>& test) { return std::string(test.param.id); });

TEST(EZipErrorTest, IsAPlatformExceptionNamedEZipError) {
  try {
    throw EZipError(platform::Format(serrcorruptzip.text, "C:\\a.zip"));
  } catch (const platform::Exception& e) {
    EXPECT_EQ(e.ClassName(), "EZipError");
    EXPECT_EQ(e.Message(), "Corrupt ZIP file C:\\a.zip");
  }
}

}  // namespace
}  // namespace zip
