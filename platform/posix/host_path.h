// Windows path rules on a POSIX file system, applied once before any path reaches the system.
#pragma once

#include <dirent.h>

#include <memory>
#include <string>
#include <string_view>

namespace platform::posix {

struct DirectoryCloser {
  void operator()(DIR* directory) const { ::closedir(directory); }
};
using DirectoryHandle = std::unique_ptr<DIR, DirectoryCloser>;

// True when the two names are equal without regard to ASCII case.
bool NamesMatch(std::string_view a, std::string_view b);

// `path` with "\" turned into "/" and each run of separators collapsed into one.
std::string ToPosixSeparators(std::string_view path);

// The POSIX path of what `path` names under Windows rules: separators as above, and each
// component that does not exist as spelt taken in the spelling its folder holds, when it
// holds the name in another case. A component found nowhere stays as spelt, so the result
// also names the entry to create.
std::string ResolvePath(std::string_view path);

}  // namespace platform::posix
