// The names of the folders that path resolution searches for another case of a name, read once
// and then kept current from the kernel's change notices (inotify), so that creating N new
// files in one folder does not read that folder N times.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform::posix {

// Each reading of a folder costs in proportion to its size, so N lookups in it cost O(N^2):
// about 4 ms for 300 new files. A watch costs a few milliseconds once, when the process ends
// (the kernel then waits for its notice readers to finish). A folder is kept only from its
// this-many-th lookup on, which leaves folders of a few hundred files to be read and bounds
// what the readings of a larger one cost.
inline constexpr int kLookupsBeforeKeeping = 512;

// The name `folder` ("" for the current folder) holds that matches `name` without regard to
// ASCII case: one of them when it holds several, "" when it holds none. Nullopt, and the caller
// must read the folder itself, for the folder's first kLookupsBeforeKeeping - 1 lookups (by
// this path), and when its names cannot be kept current (a file system whose changes this
// kernel may not see, such as a network one, or no notice to be had).
// What it gives is what a reading of the folder at the moment of the call would give. For the
// system's one thread: not safe to call from several at once.
std::optional<std::string> FindInKeptFolder(const std::string& folder, std::string_view name);

}  // namespace platform::posix
