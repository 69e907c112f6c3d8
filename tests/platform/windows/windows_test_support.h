// What the Windows-only tests share: the programs built beside them, wine, and environment
// variables set for one test.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/windows/windows_api.h"

namespace platform::testing {

// `name` in the folder of the running test program; system code page.
inline std::string ProgramBeside(const std::string& name) {
  std::string path(MAX_PATH, '\0');
  const DWORD length = ::GetModuleFileNameA(nullptr, path.data(), MAX_PATH);
  path.resize(length);
  return path.substr(0, path.find_last_of("\\/") + 1) + name;
}

// Wine runs Windows programs on a POSIX file system, where some Windows notions exist only
// in part.
inline bool RunsUnderWine() {
  return ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// Sets variables of the process's environment block and puts back what was there before.
class EnvironmentGuard {
 public:
  EnvironmentGuard() = default;
  EnvironmentGuard(const EnvironmentGuard&) = delete;
  EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;
  ~EnvironmentGuard() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) Apply(it->first, it->second);
  }

  // Nothing unsets the variable.
  void Set(const std::string& name, const std::optional<std::string>& value) {
    saved_.emplace_back(name, Get(name));
    Apply(name, value);
  }

 private:
  static std::optional<std::string> Get(const std::string& name) {
    const DWORD size = ::GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (size == 0) return std::nullopt;
    std::string value(size, '\0');
    value.resize(::GetEnvironmentVariableA(name.c_str(), value.data(), size));
    return value;
  }
  static void Apply(const std::string& name, const std::optional<std::string>& value) {
    ::SetEnvironmentVariableA(name.c_str(), value ? value->c_str() : nullptr);
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace platform::testing
