// TProcess: starts a program, optionally waiting for its end.
#pragma once

#include <set>
#include <string>
#include <vector>

namespace platform {

enum class ProcessOption { kWaitOnExit, kRunSuspended };

class TProcess {
 public:
  std::vector<std::string> Parameters;
  std::string Executable;

  const std::set<ProcessOption>& Options() const { return options_; }
  // kWaitOnExit does not survive beside kRunSuspended.
  void SetOptions(std::set<ProcessOption> options);

  // The command line Launch hands to the system: Executable, then each parameter after one
  // space, each quoted when it holds a space and no double quote.
  std::string CommandLine() const;

  // Raises EProcess "Cannot execute empty command-line" or "Failed to execute %s : %d".
  void Launch();

 private:
  std::set<ProcessOption> options_;
};

// Splits a command line as the launcher's host does: outside double quotes, codes 1 to 32
// separate arguments; a double quote toggles quoting and is dropped; two in a row are dropped.
std::vector<std::string> SplitCommandLine(const std::string& command_line);

}  // namespace platform
