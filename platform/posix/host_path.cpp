#include "platform/posix/host_path.h"

#include <sys/stat.h>

namespace platform::posix {

namespace {

char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool Exists(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0;
}

std::string Join(const std::string& folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  std::string joined = folder;
  if (joined.back() != '/') joined += '/';
  joined += name;
  return joined;
}

// The name `folder` holds that matches `name` in some case; empty when it holds none.
std::string FindInFolder(const std::string& folder, std::string_view name) {
  const DirectoryHandle directory(::opendir(folder.empty() ? "." : folder.c_str()));
  if (!directory) return {};
  while (const dirent* entry = ::readdir(directory.get())) {
    if (NamesMatch(entry->d_name, name)) return entry->d_name;
  }
  return {};
}

// `path` (separators already converted) names nothing as spelt.
std::string ResolveMissing(std::string_view path) {
  const bool trailing = path.size() > 1 && path.back() == '/';
  const std::string_view body = trailing ? path.substr(0, path.size() - 1) : path;
  const std::size_t slash = body.rfind('/');
  const std::string_view name = slash == std::string_view::npos ? body : body.substr(slash + 1);
  std::string folder = slash == std::string_view::npos ? ""
                       : slash == 0                    ? "/"
                                                       : std::string(body.substr(0, slash));
  // The parent as spelt exists in the common case, so only a missing one costs a walk up.
  const bool folder_respelt = !folder.empty() && !Exists(folder);
  if (folder_respelt) folder = ResolveMissing(folder);

  std::string resolved = Join(folder, name);
  if (name != "." && name != ".." && !(folder_respelt && Exists(resolved))) {
    const std::string found = FindInFolder(folder, name);
    if (!found.empty()) resolved = Join(folder, found);
  }
  if (trailing) resolved += '/';
  return resolved;
}

}  // namespace

bool NamesMatch(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

std::string ToPosixSeparators(std::string_view path) {
  std::string converted;
  converted.reserve(path.size());
  for (const char c : path) {
    const char separator_or_char = c == '\\' ? '/' : c;
    if (separator_or_char == '/' && !converted.empty() && converted.back() == '/') continue;
    converted += separator_or_char;
  }
  return converted;
}

std::string ResolvePath(std::string_view path) {
  std::string converted = ToPosixSeparators(path);
  if (converted.empty() || Exists(converted)) return converted;
  return ResolveMissing(converted);
}

}  // namespace platform::posix
