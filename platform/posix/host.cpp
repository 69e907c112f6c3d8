// Process-level host services: arguments, environment, current directory, waiting, and the
// failure report's output.
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>

#include "platform/native.h"
#include "platform/path.h"
#include "platform/posix/host_path.h"

namespace platform {

namespace {

// The arguments as InitializeHost received them: the platform's record of its command line.
std::vector<std::string>& Arguments() {
  static std::vector<std::string> arguments;
  return arguments;
}

void WriteToStandardError(std::string_view text) {
  while (!text.empty()) {
    const ssize_t put = ::write(STDERR_FILENO, text.data(), text.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return;
    text.remove_prefix(static_cast<std::size_t>(put));
  }
}

}  // namespace

void InitializeHost(int argc, char** argv) { Arguments().assign(argv, argv + argc); }

std::string CurrentDirectoryUtf8() {
  std::string buffer(256, '\0');
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
  buffer.resize(buffer.find('\0'));
  return buffer;
}

std::size_t PathRootLength(std::string_view path) {
  return !path.empty() && IsPathDelimiter(path.front()) ? 1 : 0;
}

std::optional<std::string> EnvironmentVariable(std::string_view name) {
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string_view definition(*entry);
    const std::size_t equals = definition.find('=');
    if (equals != std::string_view::npos && posix::NamesMatch(definition.substr(0, equals), name)) {
      return std::string(definition.substr(equals + 1));
    }
  }
  return std::nullopt;
}

std::string FallbackTempFolder() {
  const char* folder = std::getenv("TMPDIR");
  return folder != nullptr && *folder != '\0' ? folder : "/tmp";
}

std::string CommandLineArgument(std::size_t index) {
  return index < Arguments().size() ? Arguments()[index] : std::string();
}

void SleepMilliseconds(unsigned milliseconds) {
  timespec left{static_cast<std::time_t>(milliseconds / 1000),
                static_cast<long>(milliseconds % 1000) * 1'000'000};
  while (::nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

void ShowErrorText(const std::string& caption, const std::string& text) {
  std::string block = caption + "\n" + text;
  if (block.back() != '\n') block += '\n';
  WriteToStandardError(block);
}

}  // namespace platform
