// Usage: debug_output_capture [--set NAME=VALUE | --unset NAME]... -- COMMAND LINE
//
// For test harnesses that run a windowless program under wine: changes this program's
// environment as asked, runs COMMAND LINE (passed on unchanged) to its end, and writes each
// text that program hands to OutputDebugString to standard output, as a line
// "OutputDebugString <byte count>" followed by the text and a line feed. Exits with the
// program's exit code, or 127 when it cannot be started. The environment options exist
// because wine gives a Windows program its own TEMP and TMP, never those of the caller.
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/windows/windows_api.h"
#include "tests/platform/windows/debug_output_reader.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kCannotStart = 127;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The next argument of `line` from `at` on, quotes removed; `at` ends up after it.
std::string NextArgument(std::string_view line, std::size_t& at) {
  while (at < line.size() && IsBlank(line[at])) ++at;
  std::string argument;
  bool quoted = false;
  for (; at < line.size() && (quoted || !IsBlank(line[at])); ++at) {
    if (line[at] == '"') {
      quoted = !quoted;
    } else {
      argument += line[at];
    }
  }
  return argument;
}

void WriteOut(std::string_view text) {
  DWORD written = 0;
  ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()),
              &written, nullptr);
}

int Usage() {
  std::fputs("usage: debug_output_capture [--set NAME=VALUE | --unset NAME]... -- COMMAND LINE\n",
             stderr);
  return kUsageError;
}

}  // namespace

int main() {
  const std::string_view line = ::GetCommandLineA();
  std::size_t at = 0;
  NextArgument(line, at);  // this program
  while (true) {
    const std::string option = NextArgument(line, at);
    if (option == "--") break;
    const std::string operand = NextArgument(line, at);
    const std::size_t equals = operand.find('=');
    if (option == "--set" && equals != std::string::npos && equals > 0) {
      ::SetEnvironmentVariableA(operand.substr(0, equals).c_str(),
                                operand.substr(equals + 1).c_str());
    } else if (option == "--unset" && !operand.empty()) {
      ::SetEnvironmentVariableA(operand.c_str(), nullptr);
    } else {
      return Usage();
    }
  }
  while (at < line.size() && IsBlank(line[at])) ++at;
  if (at == line.size()) return Usage();

  const auto run = platform::testing::RunMonitoringDebugOutput(std::string(line.substr(at)));
  if (!run) {
    std::fprintf(stderr, "debug_output_capture: cannot start it: error %lu\n", ::GetLastError());
    return kCannotStart;
  }
  for (const std::string& text : run->debug_output) {
    WriteOut("OutputDebugString " + std::to_string(text.size()) + "\n");
    WriteOut(text);
    WriteOut("\n");
  }
  return static_cast<int>(run->exit_code);
}
