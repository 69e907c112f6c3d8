// TProcess: starts a program, optionally waiting for its end.
#pragma once

#include <set>
#include <string>
#include <vector>

namespace platform {

// kRunSuspended is known only to the options setter's rule: Launch starts no program suspended.
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

  // Starts CommandLine() with the launcher's environment and current directory, and with
  // kWaitOnExit waits for the program's end. Raises EProcess "Cannot execute empty
  // command-line" when Executable is empty, "Failed to execute %s : %d" (the command line and
  // the system's error code) when the system refuses.
  void Launch();

 private:
  std::set<ProcessOption> options_;
};

}  // namespace platform
