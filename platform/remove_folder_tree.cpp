// RemoveFolderTree: deletes as much of a tree as it can and reports whether all of it went.
// A link is an entry of its own, so nothing outside the tree is ever reached through one.
#include <vector>

#include "platform/file_operations.h"
#include "platform/native.h"
#include "platform/path.h"

namespace platform {

namespace {

// `folder` made absolute against the current directory, with doubled delimiters collapsed,
// "." and ".." resolved and a trailing delimiter; empty when no current directory is known.
std::string CleanFolderName(const std::string& folder) {
  std::string full = folder;
  if (PathRootLength(full) == 0) {
    const std::string current = CurrentDirectoryUtf8();
    if (current.empty()) return {};
    full = IncludeTrailingPathDelimiter(current) + full;
  }
  const std::size_t root_length = PathRootLength(full);
  std::vector<std::string_view> segments;
  const std::string_view rest = std::string_view(full).substr(root_length);
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = start;
    while (end < rest.size() && !IsPathDelimiter(rest[end])) ++end;
    const std::string_view segment = rest.substr(start, end - start);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    start = end + 1;
  }
  std::string cleaned = IncludeTrailingPathDelimiter(full.substr(0, root_length));
  for (const std::string_view segment : segments) {
    cleaned += segment;
    cleaned += '\\';
  }
  return cleaned;
}

// `folder` is clean and ends with a delimiter.
bool RemoveTree(const std::string& folder, bool only_children) {
  bool complete = true;
  // The whole listing is taken first, so that deleting cannot disturb the enumeration.
  for (const FileInfo& entry : ListFolder(folder + "*.*", Encoding::kUtf8)) {
    if (entry.name == "." || entry.name == "..") continue;
    const std::string path = folder + entry.name;
    const bool is_folder =
        (entry.attributes & kAttrDirectory) != 0 && (entry.attributes & kAttrSymLink) == 0;
    // Goes on past an entry that stays, so that as little as possible is left behind.
    const bool removed = is_folder ? RemoveTree(path + '\\', false) : RemoveFile(path);
    complete = complete && removed;
  }
  // Tried even after a failure: an entry that vanished meanwhile may have left it empty.
  if (!only_children && !RemoveEmptyFolder(folder, Encoding::kUtf8)) complete = false;
  return complete;
}

}  // namespace

bool RemoveFolderTree(const std::string& folder_utf8, bool only_children) {
  // An empty name would make the current directory the tree.
  if (folder_utf8.empty()) return false;
  const std::string folder = CleanFolderName(folder_utf8);
  return !folder.empty() && RemoveTree(folder, only_children);
}

}  // namespace platform
