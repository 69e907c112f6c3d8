// The host services each backend (posix/, windows/) provides. Everything else in the
// platform layer, and everything above it, is written once against this interface.
//
// Paths follow Windows conventions on every host: "\" and "/" both separate folders and
// names match without regard to case. Each path names its encoding, because the system
// meets two: UTF-8 and the system code page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/datetime.h"

namespace platform {

enum class Encoding { kSystemCodePage, kUtf8 };

enum class FileAccess {
  kRead,    // an existing file, for reading
  kCreate,  // created or emptied, for reading and writing
};

enum class FileShare {
  kExclusive,  // no other opener
  kDenyWrite,  // others may read, not write
};

// An open file; closed when the object goes.
class NativeFile {
 public:
  NativeFile() = default;
  NativeFile(NativeFile&& other) noexcept : handle_(other.handle_) { other.handle_ = kClosed; }
  NativeFile& operator=(NativeFile&& other) noexcept;
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

struct FileInfo {
  std::string name;         // the name as the folder lists it (found name, not the pattern)
  std::uint32_t attributes;  // FileAttribute bits; the link itself, never its target
  std::int64_t size;
  TDateTime last_write;  // local time
};

// Lists the folder part of `pattern` for names matching its file part ("*", "*.*" or an
// exact name, without regard to case). Entries are given in the system's order, "." and
// ".." included where the system lists them. A folder that cannot be read lists nothing.
std::vector<FileInfo> ListFolder(const std::string& pattern, Encoding encoding);

// Attributes of the named entry itself (a link is not followed); nothing when absent.
std::optional<FileInfo> QueryFile(const std::string& path, Encoding encoding);

bool CreateFolder(const std::string& path, Encoding encoding);   // one folder, parent must exist
bool RemoveEmptyFolder(const std::string& path, Encoding encoding);
bool DeleteFileEntry(const std::string& path, Encoding encoding);  // a file or a link itself
// Moves `from` over `to` in one step: `to` is either the old file or the complete new one.
bool ReplaceFileAtomically(const std::string& from, const std::string& to, Encoding encoding);
bool SetLastWriteTime(const std::string& path, Encoding encoding, TDateTime local_time);

// Records what the host hands a program at start (its arguments) and prepares its services.
void InitializeHost(int argc, char** argv);

// The process's current directory in UTF-8, without a trailing delimiter except at a root.
std::string CurrentDirectoryUtf8();
// The value of an environment variable, names compared without regard to case; nothing when
// it is not set. System code page.
std::optional<std::string> EnvironmentVariable(std::string_view name);
// Argument `index` of the process's command line as the host split it (0 is the program).
// Empty when there is no such argument. System code page.
std::string CommandLineArgument(std::size_t index);

// UTF-8 to the system code page: malformed sequences become "?"; a character the code page
// lacks becomes its default character and sets `lossy` when given.
std::string Utf8ToSystemCodePage(std::string_view utf8, bool* lossy = nullptr);

// Starts `command_line` (program and arguments quoted as on Windows) with the process's own
// environment and current directory and waits for its end. Gives 0 on success, otherwise the
// system's error code for the refusal to start it.
std::uint32_t RunProcessAndWait(const std::string& command_line);

void SleepMilliseconds(unsigned milliseconds);

// Shows one block of the failure report: a message box captioned `caption` on Windows,
// standard error on other hosts.
void ShowErrorText(const std::string& caption, const std::string& text);

}  // namespace platform
