#include "platform/posix/folder_names.h"

#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "platform/posix/host_path.h"

namespace platform::posix {

namespace {

constexpr std::uint32_t kNameChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;

// File systems whose every change passes through this kernel, so that its notices miss none.
// On a network or FUSE file system another machine's change would pass unseen.
bool NoticesEveryChange(const char* folder) {
  struct statfs info;
  if (::statfs(folder, &info) != 0) return false;
  switch (static_cast<unsigned long>(info.f_type)) {
    case 0xEF53:      // ext2, ext3, ext4
    case 0x01021994:  // tmpfs
    case 0x58465342:  // xfs
    case 0x9123683E:  // btrfs
      return true;
    default:
      return false;
  }
}

// One watched folder: which folder it is, and its names by their folded spelling.
struct Folder {
  dev_t device;
  ino_t inode;
  std::unordered_map<std::string, std::vector<std::string>> names;

  void Add(const std::string& name) {
    std::vector<std::string>& spellings = names[FoldedName(name)];
    if (std::find(spellings.begin(), spellings.end(), name) == spellings.end()) {
      spellings.push_back(name);
    }
  }
  void Remove(const std::string& name) {
    const auto found = names.find(FoldedName(name));
    if (found == names.end()) return;
    std::erase(found->second, name);
    if (found->second.empty()) names.erase(found);
  }
};

// Every watched folder by its watch, and the paths it was asked by.
//
// Why the names stay right: a folder is watched before it is read, so every change after the
// reading comes as a notice, and a change during it too; each notice says whether a name is
// there (created, moved in) or not (deleted, moved out), and the last one for a name is its
// state. Every notice the kernel has is applied before a name is looked up. A path is taken
// for a folder only while it still names the same folder (device and inode), so renaming or
// replacing a folder on the way does not mislead. A lost notice (queue overflow) forgets all.
class KeptFolders {
 public:
  KeptFolders() = default;
  KeptFolders(const KeptFolders&) = delete;
  KeptFolders& operator=(const KeptFolders&) = delete;
  ~KeptFolders() { Forget(); }

  std::optional<std::string> Find(const std::string& path, std::string_view name) {
    if (!by_path_.contains(path) && ++lookups_[path] < kLookupsBeforeKeeping) return std::nullopt;
    ApplyNotices();
    if (notices_ < 0) notices_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (notices_ < 0) return std::nullopt;
    const char* folder_path = path.empty() ? "." : path.c_str();
    struct stat info;
    if (::stat(folder_path, &info) != 0 || !S_ISDIR(info.st_mode)) return std::nullopt;
    const Folder* folder = Kept(path, info);
    if (folder == nullptr) return std::nullopt;
    const auto found = folder->names.find(FoldedName(name));
    return found == folder->names.end() ? std::string() : found->second.front();
  }

 private:
  const Folder* Kept(const std::string& path, const struct stat& info) {
    if (const auto asked = by_path_.find(path); asked != by_path_.end()) {
      const auto folder = folders_.find(asked->second);
      if (folder != folders_.end() && folder->second.device == info.st_dev &&
          folder->second.inode == info.st_ino) {
        return &folder->second;
      }
      by_path_.erase(asked);
    }
    return Watch(path, info);
  }

  const Folder* Watch(const std::string& path, const struct stat& before) {
    const char* folder_path = path.empty() ? "." : path.c_str();
    if (!NoticesEveryChange(folder_path)) return nullptr;
    const int watch = ::inotify_add_watch(notices_, folder_path, kNameChanges | IN_ONLYDIR);
    if (watch < 0) return nullptr;
    // A folder watched already (asked by another path) is current.
    if (const auto folder = folders_.find(watch); folder != folders_.end()) {
      if (folder->second.device != before.st_dev || folder->second.inode != before.st_ino) {
        return nullptr;
      }
      by_path_[path] = watch;
      return &folder->second;
    }
    Folder folder{before.st_dev, before.st_ino, {}};
    const DirectoryHandle directory(::opendir(folder_path));
    struct stat after;
    if (!directory || ::stat(folder_path, &after) != 0 || after.st_dev != before.st_dev ||
        after.st_ino != before.st_ino) {
      // The path changed folders meanwhile: which one is watched is not known.
      ::inotify_rm_watch(notices_, watch);
      return nullptr;
    }
    while (const dirent* entry = ::readdir(directory.get())) {
      const std::string_view name = entry->d_name;
      if (name != "." && name != "..") folder.Add(entry->d_name);
    }
    by_path_[path] = watch;
    return &folders_.insert_or_assign(watch, std::move(folder)).first->second;
  }

  void ApplyNotices() {
    if (notices_ < 0) return;
    std::array<char, 64 * 1024> buffer;
    for (;;) {
      const ssize_t got = ::read(notices_, buffer.data(), buffer.size());
      if (got <= 0) return;  // none left (EAGAIN), or nothing to be had
      for (std::size_t at = 0; at + sizeof(inotify_event) <= static_cast<std::size_t>(got);) {
        inotify_event notice;
        std::memcpy(&notice, buffer.data() + at, sizeof notice);
        const char* name = buffer.data() + at + sizeof notice;
        at += sizeof notice + notice.len;
        if ((notice.mask & IN_Q_OVERFLOW) != 0) {
          Forget();
          return;
        }
        const auto folder = folders_.find(notice.wd);
        if (folder == folders_.end()) continue;
        if ((notice.mask & IN_IGNORED) != 0) {
          folders_.erase(folder);  // deleted, or on a file system now gone
        } else if (notice.len > 0 && (notice.mask & (IN_CREATE | IN_MOVED_TO)) != 0) {
          folder->second.Add(name);  // the name is padded with zero bytes
        } else if (notice.len > 0 && (notice.mask & (IN_DELETE | IN_MOVED_FROM)) != 0) {
          folder->second.Remove(name);
        }
      }
    }
  }

  void Forget() {
    if (notices_ >= 0) ::close(notices_);  // which ends every watch
    notices_ = -1;
    folders_.clear();
    by_path_.clear();
  }

  int notices_ = -1;
  std::unordered_map<int, Folder> folders_;
  std::unordered_map<std::string, int> by_path_;
  std::unordered_map<std::string, int> lookups_;  // of the folders not kept, by path
};

}  // namespace

std::optional<std::string> FindInKeptFolder(const std::string& folder, std::string_view name) {
  static KeptFolders kept;
  return kept.Find(folder, name);
}

}  // namespace platform::posix
