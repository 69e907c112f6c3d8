// Runs a program while listening, as a debug-output monitor does, for what it hands to
// OutputDebugString: the copy of each failure-report box, which a windowless test run
// cannot see on the screen.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform::testing {

struct MonitoredRun {
  std::vector<std::string> debug_output;  // one text per call, the program's own only
  std::uint32_t exit_code = 0;
};

// Starts `command_line` with this process's environment and folder and waits for its end;
// nothing when it cannot be started. One monitor listens at a time: a second one waits.
std::optional<MonitoredRun> RunMonitoringDebugOutput(const std::string& command_line);

}  // namespace platform::testing
