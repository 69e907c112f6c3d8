#include "platform/command_line.h"

#include "platform/file_operations.h"
#include "platform/native.h"

namespace platform {

namespace {

bool IsSeparator(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code >= 1 && code <= 32;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& command_line) {
  std::vector<std::string> arguments;
  std::size_t at = 0;
  const std::size_t end = command_line.size();
  while (true) {
    while (at < end && IsSeparator(command_line[at])) ++at;
    if (at == end) return arguments;
    std::string argument;
    bool quoted = false;
    while (at < end && (quoted || !IsSeparator(command_line[at]))) {
      if (command_line[at] != '"') {
        argument += command_line[at++];
      } else if (at + 1 < end && command_line[at + 1] == '"') {
        at += 2;
      } else {
        quoted = !quoted;
        ++at;
      }
    }
    arguments.push_back(std::move(argument));
  }
}

std::string ArgumentAt(std::size_t index) { return CommandLineArgument(index); }

}  // namespace platform
