// Process-level host services: the command line, environment, current directory, waiting,
// and the failure report's message boxes.
#include <memory>

#include "platform/command_line.h"
#include "platform/native.h"
#include "platform/path.h"
#include "platform/windows/standard_streams.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_api.h"

namespace platform {

namespace {

char FoldCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool NamesMatch(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

struct EnvironmentReleaser {
  void operator()(char* block) const { ::FreeEnvironmentStringsA(block); }
};

// Length of "\\server\share\" (or of as much of it as `path` holds).
std::size_t UncRootLength(std::string_view path) {
  std::size_t at = 2;
  for (int part = 0; part < 2; ++part) {
    while (at < path.size() && !IsPathDelimiter(path[at])) ++at;
    if (at == path.size()) return at;
    ++at;
  }
  return at;
}

}  // namespace

// The arguments come from the system's command line, which GetCommandLineA gives whole.
void InitializeHost(int /*argc*/, char** /*argv*/) { windows::RouteStandardStreams(); }

std::string CurrentDirectoryUtf8() {
  std::wstring buffer(MAX_PATH, L'\0');
  while (true) {
    const DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return windows::WideToUtf8(buffer);
    }
    buffer.resize(length);  // the size it needs, the terminating zero included
  }
}

// "C:" alone counts as the root of its drive.
std::size_t PathRootLength(std::string_view path) {
  if (path.size() >= 2 && IsPathDelimiter(path[0]) && IsPathDelimiter(path[1])) {
    return UncRootLength(path);
  }
  const bool drive = path.size() >= 2 && path[1] == ':' &&
                     ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  if (drive) return path.size() > 2 && IsPathDelimiter(path[2]) ? 3 : 2;
  return !path.empty() && IsPathDelimiter(path[0]) ? 1 : 0;
}

// The block holds "name=value" texts one after the other, ended by an empty one. Names that
// begin with "=" (the system's per-drive folders) are never asked for.
std::optional<std::string> EnvironmentVariable(std::string_view name) {
  const std::unique_ptr<char, EnvironmentReleaser> block(::GetEnvironmentStringsA());
  if (!block) return std::nullopt;
  for (const char* entry = block.get(); *entry != '\0';) {
    const std::string_view definition(entry);
    const std::size_t equals = definition.find('=', 1);
    if (equals != std::string_view::npos && NamesMatch(definition.substr(0, equals), name)) {
      return std::string(definition.substr(equals + 1));
    }
    entry += definition.size() + 1;
  }
  return std::nullopt;
}

std::string FallbackTempFolder() { return {}; }

std::string CommandLineArgument(std::size_t index) {
  const std::vector<std::string> arguments = SplitCommandLine(::GetCommandLineA());
  return index < arguments.size() ? arguments[index] : std::string();
}

void SleepMilliseconds(unsigned milliseconds) { ::Sleep(milliseconds); }

// The copy for a debugger goes out first, so that it is there while the box waits.
void ShowErrorText(const std::string& caption, const std::string& text) {
  ::OutputDebugStringA(text.c_str());
  ::MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK);
}

}  // namespace platform
