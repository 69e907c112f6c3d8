// The command-line splitting rule of the launcher's host. Besides ArgumentAt's hosts, a
// backend that starts programs from an argument vector (POSIX) splits a command line with it.
#pragma once

#include <string>
#include <vector>

namespace platform {

// Outside double quotes, codes 1 to 32 separate arguments; a double quote toggles quoting and
// is dropped; two in a row are dropped together without toggling.
std::vector<std::string> SplitCommandLine(const std::string& command_line);

}  // namespace platform
