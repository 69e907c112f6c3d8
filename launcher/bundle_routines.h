// The routines that move the application between the bundle, archive files and folders.
#pragma once

#include <cstdint>
#include <string>

#include "resources/resource_registry.h"

namespace launcher {

// Writes the value of the registered resource `resource_name` to `file_name` (system code
// page). Raises before creating the file when no such resource is registered, and when the
// value was not written whole.
void SaveResourceToFile(const resources::ResourceRegistry& registry,
                        const std::string& resource_name, const std::string& file_name);

// Extracts the archive into the folder `target` (mode 0), or every file entry of it into the
// one file `target` (any other mode). Paths are UTF-8.
void ExtractArchive(const std::string& archive_utf8, const std::string& target_utf8,
                    std::int32_t mode);

// Packs the regular files directly inside `folder_utf8` (which ends with a separator) into a
// new archive that replaces `archive_utf8` only once it is complete. A folder without files
// leaves the existing archive as it is.
void PackFolder(const std::string& folder_utf8, const std::string& archive_utf8);

}  // namespace launcher
