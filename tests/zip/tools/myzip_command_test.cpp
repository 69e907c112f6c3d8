#include "zip/tools/myzip_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/platform/scratch_folder.h"
#include "zip/unzipper.h"

namespace zip::tools {
namespace {

namespace fs = std::filesystem;
using platform::testing::NamesIn;
using platform::testing::ReadTextFile;
using platform::testing::ScratchFolder;
using platform::testing::WriteTextFile;

class MyzipTest : public ::testing::Test {
 protected:
  int Run(const std::vector<std::string>& arguments) {
    errors_.str("");
    return RunMyzip(arguments, errors_);
  }

  ScratchFolder folder_;
  std::ostringstream errors_;
};

TEST_F(MyzipTest, CreatesUnderBareNamesAndExtractsThemAgain) {
  fs::create_directories(folder_.Path() / "in" / "deep");
  WriteTextFile(folder_.Path() / "in" / "a.txt", std::string(5000, 'a'));
  WriteTextFile(folder_.Path() / "in" / "deep" / "b.bin", "b");
  EXPECT_EQ(Run({"c", folder_ / "x.zip", folder_ / "in/a.txt", folder_ / "in\\deep\\b.bin"}), 0);
  EXPECT_EQ(errors_.str(), "");

  EXPECT_EQ(Run({"x", folder_ / "x.zip", folder_ / "out"}), 0);
  EXPECT_EQ(errors_.str(), "");
  EXPECT_EQ(NamesIn(folder_.Path() / "out"), (std::vector<std::string>{"a.txt", "b.bin"}));
  EXPECT_EQ(ReadTextFile(folder_.Path() / "out" / "a.txt"), std::string(5000, 'a'));
  EXPECT_EQ(ReadTextFile(folder_.Path() / "out" / "b.bin"), "b");
}

TEST_F(MyzipTest, ExtractsUnderStoredNamesWhateverTheOverrideWasLeftAt) {
  WriteTextFile(folder_.Path() / "a.txt", "a");
  ASSERT_EQ(Run({"c", folder_ / "x.zip", folder_ / "a.txt"}), 0);
  OutputNameOverride = "other.txt";
  EXPECT_EQ(Run({"x", folder_ / "x.zip", folder_ / "out"}), 0);
  EXPECT_EQ(NamesIn(folder_.Path() / "out"), std::vector<std::string>{"a.txt"});
}

TEST_F(MyzipTest, FailsWithTheLibrarysMessage) {
  EXPECT_EQ(Run({"c", folder_ / "x.zip", folder_ / "missing"}), kMyzipFailed);
  EXPECT_EQ(errors_.str(), "File \"" + (folder_ / "missing") + "\" does not exist.\n");
  EXPECT_FALSE(fs::exists(folder_.Path() / "x.zip"));

  WriteTextFile(folder_.Path() / "bad.zip", "not an archive, but longer than an end record");
  EXPECT_EQ(Run({"x", folder_ / "bad.zip", folder_ / "out"}), kMyzipFailed);
  EXPECT_EQ(errors_.str(), "Corrupt ZIP file " + (folder_ / "bad.zip") + "\n");
}

TEST_F(MyzipTest, RefusesAnyOtherCommandLine) {
  const std::vector<std::vector<std::string>> wrong = {
      {}, {"x"}, {"x", "a.zip"}, {"x", "a.zip", "out", "more"}, {"c", "a.zip"}, {"t", "a", "b"}};
  for (const std::vector<std::string>& arguments : wrong) {
    EXPECT_EQ(Run(arguments), kMyzipUsage) << arguments.size();
    EXPECT_EQ(errors_.str().rfind("usage: myzip", 0), 0u);
  }
}

}  // namespace
}  // namespace zip::tools
