// The directory search with an attribute mask, as the Windows search selects entries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/native.h"

namespace platform {

// The entries of ListFolder(pattern) that `attribute_mask` admits: an entry with the hidden,
// system, volume-label or folder attribute is found only when the mask holds that attribute;
// read-only, archive and link never keep an entry out.
std::vector<FileInfo> FindFiles(const std::string& pattern, Encoding encoding,
                                std::uint32_t attribute_mask);

}  // namespace platform
