// Started by the process tests. After a pause of PLATFORM_TEST_PAUSE milliseconds, which a
// starter that does not wait would not sit out, it writes to the file PLATFORM_TEST_RECORD
// names, one per line: its command line, its arguments 1 to 3 and its current folder.
#include <fstream>
#include <string>

#include "platform/file_operations.h"
#include "platform/native.h"
#include "platform/windows/windows_api.h"

int main() {
  const std::optional<std::string> record = platform::EnvironmentVariable("PLATFORM_TEST_RECORD");
  if (!record) return 1;
  ::Sleep(static_cast<DWORD>(
      std::stoul(platform::EnvironmentVariable("PLATFORM_TEST_PAUSE").value_or("0"))));
  const std::string part = *record + ".part";
  {
    std::ofstream out(part, std::ios::binary);
    out << ::GetCommandLineA() << '\n';
    for (std::size_t index = 1; index <= 3; ++index) out << platform::ArgumentAt(index) << '\n';
    out << platform::CurrentFolder() << '\n';
  }
  ::MoveFileExA(part.c_str(), record->c_str(), MOVEFILE_REPLACE_EXISTING);
  return 7;  // an exit code of its own, which the starter reads and ignores
}
