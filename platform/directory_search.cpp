#include "platform/directory_search.h"

#include <algorithm>

namespace platform {

std::vector<FileInfo> FindFiles(const std::string& pattern, Encoding encoding,
                                std::uint32_t attribute_mask) {
  constexpr std::uint32_t kSelective = kAttrHidden | kAttrSystem | kAttrVolumeId | kAttrDirectory;
  std::vector<FileInfo> entries = ListFolder(pattern, encoding);
  std::erase_if(entries, [attribute_mask](const FileInfo& entry) {
    return (entry.attributes & kSelective & ~attribute_mask) != 0;
  });
  return entries;
}

}  // namespace platform
