// The host services each backend (posix/, windows/) provides. Everything else in the
// platform layer, and everything above it, is written once against this interface.
//
// Paths follow Windows conventions on every host: "\" and "/" both separate folders, a
// doubled separator counts as one, and names match without regard to case, so that creating
// a name that exists in another case uses (or replaces) the existing entry. Each path names
// its encoding, because the system meets two: UTF-8 and the system code page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/datetime.h"

namespace platform {

enum class Encoding { kSystemCodePage, kUtf8 };

enum class FileAccess {
  kRead,       // an existing file, for reading
  kCreate,     // created or emptied, for reading and writing
  kCreateNew,  // created for reading and writing; refused when the name exists
};

// Sharing with other openers of the same file. Where the host has no mandatory share modes
// (POSIX) they are advisory locks, binding only openers that use them: this program's own.
enum class FileShare {
  kExclusive,  // no other opener
  kDenyWrite,  // others may read, not write
};

// An open file; closed when the object goes.
class NativeFile {
 public:
  NativeFile() = default;
  NativeFile(NativeFile&& other) noexcept : handle_(other.handle_) { other.handle_ = kClosed; }
  NativeFile& operator=(NativeFile&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, kClosed);
    }
    return *this;
  }
  NativeFile(const NativeFile&) = delete;
  NativeFile& operator=(const NativeFile&) = delete;
  ~NativeFile() { Close(); }

  // An object that is not open when the system refuses; never raises. Folders never open.
  static NativeFile Open(const std::string& path, Encoding encoding, FileAccess access,
                         FileShare share);

  bool IsOpen() const { return handle_ != kClosed; }
  // These give std::nullopt when the system reports an error.
  std::optional<std::size_t> Read(void* buffer, std::size_t count);
  std::optional<std::size_t> Write(const void* buffer, std::size_t count);
  std::optional<std::int64_t> Seek(std::int64_t offset, int whence);  // 0 start, 1 current, 2 end
  // The file's last-write time in local time; nothing when the system cannot tell.
  std::optional<TDateTime> LastWriteTime() const;
  // Closes the file; false when the system reports that data could not be kept.
  bool Close();

 private:
  static constexpr std::intptr_t kClosed = -1;
  explicit NativeFile(std::intptr_t handle) : handle_(handle) {}
  std::intptr_t handle_ = kClosed;
};

enum FileAttribute : std::uint32_t {
  kAttrReadOnly = 0x01,
  kAttrHidden = 0x02,
  kAttrSystem = 0x04,
  kAttrVolumeId = 0x08,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
  kAttrSymLink = 0x40,  // a symbolic link, junction or other reparse point
};

// What a host without these notions (POSIX) reports: kAttrDirectory for folders, kAttrSymLink
// for a symbolic link (with kAttrDirectory too when it points to a folder, as Windows marks a
// folder link), kAttrReadOnly when the owner may not write, kAttrArchive for regular files.
// Never hidden, system or volume-label.
struct FileInfo {
  std::string name;          // the name as the folder lists it (found name, not the pattern)
  std::uint32_t attributes;  // FileAttribute bits of the entry itself, a link not followed
  std::int64_t size;
  TDateTime last_write;  // local time
};

// Lists the folder part of `pattern` for names matching its file part: "*" and "*.*" match
// every name, anything else is one exact name compared without regard to case. Entries are
// given in the system's order, "." and ".." included where the system lists them (POSIX:
// always). A folder that cannot be read lists nothing.
std::vector<FileInfo> ListFolder(const std::string& pattern, Encoding encoding);

// The named entry itself (a link is not followed); nothing when absent.
std::optional<FileInfo> QueryFile(const std::string& path, Encoding encoding);

bool CreateFolder(const std::string& path, Encoding encoding);  // one folder, parent must exist
bool RemoveEmptyFolder(const std::string& path, Encoding encoding);
// A file, or a link itself (also one that points to a folder); never a folder.
bool DeleteFileEntry(const std::string& path, Encoding encoding);
// Moves `from` over `to` in one step: `to` is either the old file or the complete new one.
bool ReplaceFileAtomically(const std::string& from, const std::string& to, Encoding encoding);
bool SetLastWriteTime(const std::string& path, Encoding encoding, TDateTime local_time);

// Records what the host hands a program at start (its arguments) and prepares its services.
void InitializeHost(int argc, char** argv);

// The process's current directory in UTF-8, without a trailing delimiter except at a root;
// empty when the system cannot tell.
std::string CurrentDirectoryUtf8();
// Length of the root that begins `path` ("/" or "\" on POSIX, where "C:" is an ordinary
// name; "C:\" or "\\server\share\" on Windows); 0 for a relative path.
std::size_t PathRootLength(std::string_view path);
// The value of an environment variable, names compared without regard to case; nothing when
// it is not set. System code page.
std::optional<std::string> EnvironmentVariable(std::string_view name);
// The host's own temporary folder, for when neither TEMP nor TMP is set: TMPDIR, else "/tmp"
// on POSIX; empty on Windows, which has no further convention. System code page.
std::string FallbackTempFolder();
// Argument `index` of the process's command line as the host split it (0 is the program).
// Empty when there is no such argument. System code page.
std::string CommandLineArgument(std::size_t index);

// UTF-8 to the system code page: each malformed sequence becomes "?", a character the code
// page lacks its default character and sets `lossy` when given. POSIX's code page is UTF-8,
// so there only malformed sequences change and `lossy` is never set.
std::string Utf8ToSystemCodePage(std::string_view utf8, bool* lossy = nullptr);
// The system code page to UTF-8; on POSIX, too, each malformed sequence becomes "?".
std::string SystemCodePageToUtf8(std::string_view text);

// Starts `command_line` (program and arguments quoted as on Windows) with the process's own
// environment and current directory, and when `wait_for_exit` waits for its end. Gives 0 on
// success, otherwise the system's error code for the refusal to start it.
std::uint32_t StartProcess(const std::string& command_line, bool wait_for_exit);

void SleepMilliseconds(unsigned milliseconds);

// Shows one block of the failure report: a message box captioned `caption` on Windows; on
// POSIX, standard error gets a line holding the caption, then the text, then a line end when
// the text does not end with one.
void ShowErrorText(const std::string& caption, const std::string& text);

}  // namespace platform
