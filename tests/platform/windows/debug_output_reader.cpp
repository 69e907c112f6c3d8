// The system's debug-output channel, as monitors use it when no debugger is attached: a
// writer waits for DBWIN_BUFFER_READY, puts its process id and text into the shared
// DBWIN_BUFFER and signals DBWIN_DATA_READY. (Attaching as a debugger would be the other
// way, but wine then mishandles the unwinding of C++ exceptions in the program.)
#include "tests/platform/windows/debug_output_reader.h"

#include <cstring>

#include "platform/windows/handles.h"
#include "platform/windows/windows_api.h"

namespace platform::testing {

namespace {

using windows::UniqueHandle;

constexpr DWORD kBufferSize = 4096;  // the process id, then the text and its zero

struct ViewUnmapper {
  void operator()(void* view) const { ::UnmapViewOfFile(view); }
};

class ReleaseOnExit {
 public:
  explicit ReleaseOnExit(HANDLE mutex) : mutex_(mutex) {}
  ReleaseOnExit(const ReleaseOnExit&) = delete;
  ReleaseOnExit& operator=(const ReleaseOnExit&) = delete;
  ~ReleaseOnExit() { ::ReleaseMutex(mutex_); }

 private:
  HANDLE mutex_;
};

}  // namespace

std::optional<MonitoredRun> RunMonitoringDebugOutput(const std::string& command_line) {
  const UniqueHandle monitor_turn(::CreateMutexA(nullptr, FALSE, "platform-test-debug-monitor"));
  if (!monitor_turn) return std::nullopt;
  ::WaitForSingleObject(monitor_turn.get(), INFINITE);
  const ReleaseOnExit release(monitor_turn.get());

  const UniqueHandle buffer_ready(::CreateEventA(nullptr, FALSE, TRUE, "DBWIN_BUFFER_READY"));
  const UniqueHandle data_ready(::CreateEventA(nullptr, FALSE, FALSE, "DBWIN_DATA_READY"));
  const UniqueHandle mapping(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                  kBufferSize, "DBWIN_BUFFER"));
  if (!buffer_ready || !data_ready || !mapping) return std::nullopt;
  const std::unique_ptr<void, ViewUnmapper> view(
      ::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, kBufferSize));
  if (!view) return std::nullopt;
  const auto* buffer = static_cast<const char*>(view.get());

  std::string writable_line = command_line;
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  if (!::CreateProcessA(nullptr, writable_line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &started)) {
    return std::nullopt;
  }
  const UniqueHandle process(started.hProcess);
  const UniqueHandle thread(started.hThread);

  MonitoredRun run;
  // Text waiting to be read is taken before the end of the process is noticed.
  const HANDLE signals[] = {data_ready.get(), process.get()};
  while (::WaitForMultipleObjects(2, signals, FALSE, INFINITE) == WAIT_OBJECT_0) {
    DWORD writer = 0;
    std::memcpy(&writer, buffer, sizeof(writer));
    if (writer == started.dwProcessId) {
      const char* text = buffer + sizeof(writer);
      run.debug_output.emplace_back(text, ::strnlen(text, kBufferSize - sizeof(writer)));
    }
    ::SetEvent(buffer_ready.get());
  }
  DWORD exit_code = 0;
  ::GetExitCodeProcess(process.get(), &exit_code);
  run.exit_code = exit_code;
  return run;
}

}  // namespace platform::testing
