#include "platform/native.h"
#include "platform/windows/handles.h"
#include "platform/windows/windows_api.h"

namespace platform {

// No application name: the system takes the program from the command line. Handles are
// inherited; environment, current directory and start-up information are the launcher's.
std::uint32_t StartProcess(const std::string& command_line, bool wait_for_exit) {
  std::string writable_line = command_line;  // the system may write into it
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  if (!::CreateProcessA(nullptr, writable_line.data(), nullptr, nullptr, TRUE,
                        NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &started)) {
    return ::GetLastError();
  }
  const windows::UniqueHandle process(started.hProcess);
  const windows::UniqueHandle thread(started.hThread);
  if (wait_for_exit) {
    ::WaitForSingleObject(process.get(), INFINITE);
    DWORD exit_code = 0;
    ::GetExitCodeProcess(process.get(), &exit_code);  // read, as the launcher has no use for it
  }
  return 0;
}

}  // namespace platform
