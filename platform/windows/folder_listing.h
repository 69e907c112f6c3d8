// What the directory search says about names, shared by the queries and the replacement.
#pragma once

#include <optional>
#include <string>

#include "platform/native.h"
#include "platform/windows/windows_api.h"

namespace platform::windows {

// The low six attribute bits are the system's own; any reparse point counts as a link.
std::uint32_t ToFileAttributes(DWORD system_attributes);

// The last component of `path` in the spelling its folder holds; nothing when the system
// lists no such entry (also for a root).
std::optional<std::string> StoredName(const std::string& path, Encoding encoding);

}  // namespace platform::windows
