#include "platform/command_line.h"

#include <gtest/gtest.h>

#include "platform/exception.h"
#include "platform/process.h"

namespace platform {
namespace {

using Arguments = std::vector<std::string>;

TEST(SplitCommandLineTest, FollowsTheHostsQuotingRule) {
  const struct {
    const char* line;
    Arguments arguments;
  } cases[] = {
      {"", {}},
      {" \t ", {}},
      {"a b", {"a", "b"}},
      {"a\tb\nc\001d", {"a", "b", "c", "d"}},
      {"  lead  and  trail  ", {"lead", "and", "trail"}},
      {"\"a b\" c", {"a b", "c"}},
      {"a\"b c\"d", {"ab cd"}},
      {"a\"\"b", {"ab"}},            // a pair is dropped and does not toggle
      {"\"a \"\"b c\"", {"a b c"}},  // also inside quotes
      {"x \"\" y", {"x", "", "y"}},  // an empty argument of its own
      {"\"open ended", {"open ended"}},
      {"\"C:\\Temp\\\\korvantel42\\korvantel.exe\" ", {"C:\\Temp\\\\korvantel42\\korvantel.exe"}},
      {"caf\xC3\xA9 \xA0x", {"caf\xC3\xA9", "\xA0x"}},  // codes above 127 never separate
  };
  for (const auto& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.arguments) << c.line;
}

TEST(ProcessCommandLineTest, QuotesTextsWithASpaceAndNoDoubleQuote) {
  const struct {
    const char* executable;
    Arguments parameters;
    const char* command_line;
  } cases[] = {
      {"prog", {}, "prog"},
      {"my prog", {}, "\"my prog\""},
      {"\"C:\\a b\\korvantel.exe\"", {""}, "\"C:\\a b\\korvantel.exe\" "},
      {"p", {"a b"}, "p \"a b\""},
      {"p", {"say \"hi there\""}, "p say \"hi there\""},
      {"p", {"x", "", "y z"}, "p x  \"y z\""},
      {"p", {"tab\there"}, "p tab\there"},  // only a space asks for quotes
  };
  for (const auto& c : cases) {
    TProcess process;
    process.Executable = c.executable;
    process.Parameters = c.parameters;
    EXPECT_EQ(process.CommandLine(), c.command_line);
  }
}

TEST(ProcessCommandLineTest, SplittingGivesBackWhatWasQuoted) {
  TProcess process;
  process.Executable = "\"/opt/my app/run\"";
  process.Parameters = {"one", "two words", ""};
  EXPECT_EQ(SplitCommandLine(process.CommandLine()),
            (Arguments{"/opt/my app/run", "one", "two words"}));
}

TEST(ProcessOptionsTest, WaitOnExitDoesNotSurviveBesideRunSuspended) {
  TProcess process;
  EXPECT_TRUE(process.Options().empty());
  process.SetOptions({ProcessOption::kWaitOnExit});
  EXPECT_EQ(process.Options(), std::set{ProcessOption::kWaitOnExit});
  process.SetOptions({ProcessOption::kWaitOnExit, ProcessOption::kRunSuspended});
  EXPECT_EQ(process.Options(), std::set{ProcessOption::kRunSuspended});
}

TEST(ProcessLaunchTest, RefusesAnEmptyExecutable) {
  TProcess process;
  process.Parameters = {"argument"};
  try {
    process.Launch();
    FAIL() << "launched nothing";
  } catch (const EProcess& e) {
    EXPECT_EQ(e.ClassName(), "EProcess");
    EXPECT_STREQ(e.what(), "Cannot execute empty command-line");
  }
}

}  // namespace
}  // namespace platform
