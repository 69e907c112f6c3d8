#include "platform/process.h"

#include "platform/exception.h"
#include "platform/native.h"

namespace platform {

namespace {

std::string Quoted(const std::string& text) {
  const bool needs_quotes =
      text.find(' ') != std::string::npos && text.find('"') == std::string::npos;
  return needs_quotes ? '"' + text + '"' : text;
}

}  // namespace

void TProcess::SetOptions(std::set<ProcessOption> options) {
  if (options.contains(ProcessOption::kRunSuspended)) options.erase(ProcessOption::kWaitOnExit);
  options_ = std::move(options);
}

std::string TProcess::CommandLine() const {
  std::string command_line = Quoted(Executable);
  for (const std::string& parameter : Parameters) {
    command_line += ' ';
    command_line += Quoted(parameter);
  }
  return command_line;
}

void TProcess::Launch() {
  if (Executable.empty()) throw EProcess("Cannot execute empty command-line");
  const std::string command_line = CommandLine();
  const std::uint32_t error =
      StartProcess(command_line, options_.contains(ProcessOption::kWaitOnExit));
  if (error != 0) {
    throw EProcess(
        Format("Failed to execute %s : %d", command_line.c_str(), static_cast<int>(error)));
  }
}

}  // namespace platform
