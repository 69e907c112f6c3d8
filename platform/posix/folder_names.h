// The names of the folders that path resolution searches for another case of a name, read once
// and then kept current from the kernel's change notices (inotify), so that creating N new
// files in one folder reads that folder once instead of N times.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform::posix {

// The name `folder` ("" for the current folder) holds that matches `name` without regard to
// ASCII case: one of them when it holds several, "" when it holds none. Nullopt when the
// folder's names cannot be kept current (a file system whose changes this kernel may not see,
// such as a network one, or no notice to be had), and the caller must read the folder itself.
// What it gives is what a reading of the folder at the moment of the call would give. For the
// system's one thread: not safe to call from several at once.
std::optional<std::string> FindInKeptFolder(const std::string& folder, std::string_view name);

}  // namespace platform::posix
