// Start-up of a windowless program: its failure report and standard output reach message
// boxes, seen here through the copy each box sends to the debug output.
#include <gtest/gtest.h>

#include <regex>

#include "platform/error_text_writer.h"
#include "platform/startup.h"
#include "tests/platform/windows/debug_output_reader.h"
#include "tests/platform/windows/windows_test_support.h"

namespace platform {
namespace {

using testing::MonitoredRun;
using Blocks = std::vector<std::string>;

MonitoredRun RunProbe(const std::string& action) {
  const std::string probe = "\"" + testing::ProgramBeside("startup_probe.exe") + "\"";
  std::optional<MonitoredRun> run = testing::RunMonitoringDebugOutput(probe + " " + action);
  EXPECT_TRUE(run) << "cannot start " << probe;
  return run.value_or(MonitoredRun{});
}

// The report's pattern, for the addresses of a run of its own.
std::regex ReportOf(const std::string& description) {
  const std::string address = "\\$[0-9A-F]{" + std::to_string(2 * sizeof(void*)) + "}";
  return std::regex("An unhandled exception occurred at " + address + " :\r\n" + description +
                    "\r\n(  " + address + "\r\n)+\r\n");
}

TEST(StartupTest, AFailureShowsTheReportInOneBoxAndGives217) {
  const MonitoredRun run = RunProbe("fail");
  EXPECT_EQ(run.exit_code, 217u);
  ASSERT_EQ(run.debug_output.size(), 1u);
  EXPECT_TRUE(std::regex_match(
      run.debug_output[0],
      ReportOf("EProcess : Failed to execute \"C:\\\\k\\\\korvantel\\.exe\"  : 2")))
      << run.debug_output[0];
}

TEST(StartupTest, ALongReportIsShownInBlocksOf1024Characters) {
  const MonitoredRun run = RunProbe("fail-long");
  EXPECT_EQ(run.exit_code, 217u);
  ASSERT_EQ(run.debug_output.size(), 3u);
  EXPECT_EQ(run.debug_output[0].size(), ErrorTextWriter::kBlockSize);
  EXPECT_EQ(run.debug_output[1].size(), ErrorTextWriter::kBlockSize);
  const std::string report = run.debug_output[0] + run.debug_output[1] + run.debug_output[2];
  EXPECT_TRUE(std::regex_match(report, ReportOf("EReadError : m{2100}"))) << report;
}

TEST(StartupTest, StandardOutputAndErrorAreShownInBlocksTheRestAtExit) {
  const MonitoredRun run = RunProbe("write");
  EXPECT_EQ(run.exit_code, 0u);
  EXPECT_EQ(run.debug_output,
            (Blocks{std::string(1024, 'o'), std::string(476, 'o') + "and error"}));
}

TEST(StartupTest, ANormalEndShowsNothingAndGivesZero) {
  const MonitoredRun run = RunProbe("");
  EXPECT_EQ(run.exit_code, 0u);
  EXPECT_TRUE(run.debug_output.empty());
}

}  // namespace
}  // namespace platform
