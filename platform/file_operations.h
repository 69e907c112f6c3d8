// The file and folder operations the launcher and the zip library rely on. Each names the
// encoding of its paths; they differ only on hosts whose code page is not UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// The current directory, UTF-8, without a trailing delimiter except at a root.
std::string CurrentFolder();
// TEMP, else TMP (non-empty values only), else the host's own convention (FallbackTempFolder),
// with a trailing "\" unless it ends in "\" or "/"; empty when none gives a folder.
// System code page.
std::string TempFolder();
// True exactly when `path` names an existing file that is not a folder. System code page.
bool FileIsPresent(const std::string& path);

// Creates the folder and every missing folder above it; false when one cannot be created.
// An empty name raises EInOutError "Cannot create empty directory".
bool MakeFolderChain(const std::string& folder_utf8);
bool ForceDirectories(const std::string& folder);  // the same, system code page
// Walks `path` from its start and creates the missing folder at each separator; stops
// silently at the first one that cannot be created. System code page.
void CreateFolderWalk(const std::string& path);

// Deletes one file (or link); false when it did not. UTF-8.
bool RemoveFile(const std::string& path_utf8);

enum CopyFlag : std::uint32_t {
  kCopyOverwrite = 1,
  kCopyCreateFolder = 2,
  kCopyKeepTime = 4,
};
// Copies one file; true when the copy is complete, false when the flags forbid it (an
// existing destination without kCopyOverwrite, a folder kCopyCreateFolder cannot create).
// The source is opened letting others read it, three attempts 10 ms apart. The destination
// is replaced only by a complete copy, written under a temporary name beside it. Raises
// EFOpenError "Unable to open file "%s"" (source), EFCreateError "Unable to create file "%s""
// (destination), EReadError "Unable to read file "%s"" (source) and EWriteError "Unable to
// write to file "%s"" (destination). UTF-8.
bool CopyFileContents(const std::string& source_utf8, const std::string& destination_utf8,
                      std::uint32_t flags);

// Deletes what the folder holds and, unless `only_children`, the folder itself; true when all
// of it went. An entry that cannot be deleted stays and the rest still goes. Links are deleted
// as entries and never followed. An empty name deletes nothing. Never raises. UTF-8.
bool RemoveFolderTree(const std::string& folder_utf8, bool only_children);

// Argument `index` of the launcher's command line (1 is the first); empty when absent.
// System code page.
std::string ArgumentAt(std::size_t index);

}  // namespace platform
