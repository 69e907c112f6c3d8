// CopyFileContents: the destination is written under a temporary name beside it and takes
// the destination's place only when complete, so a failed copy leaves it as it was.
#include <array>

#include "platform/exception.h"
#include "platform/file_operations.h"
#include "platform/folder_part.h"
#include "platform/native.h"
#include "platform/temporary_file.h"

namespace platform {

namespace {

constexpr int kOpenAttempts = 3;
constexpr unsigned kOpenRetryMilliseconds = 10;
constexpr std::size_t kChunkSize = 4096;
constexpr char kUnableToReadFile[] = "Unable to read file \"%s\"";
constexpr char kUnableToWriteToFile[] = "Unable to write to file \"%s\"";

bool IsExistingFile(const std::string& path) {
  const std::optional<FileInfo> info = QueryFile(path, Encoding::kUtf8);
  return info && (info->attributes & kAttrDirectory) == 0;
}

// Others may go on reading the source, but not change it under the copy. Every failed
// attempt, the last one too, is followed by the wait.
NativeFile OpenSource(const std::string& source) {
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    NativeFile file =
        NativeFile::Open(source, Encoding::kUtf8, FileAccess::kRead, FileShare::kDenyWrite);
    if (file.IsOpen()) return file;
    SleepMilliseconds(kOpenRetryMilliseconds);
  }
  throw EFOpenError(Format(kUnableToOpenFile, source.c_str()));
}

}  // namespace

bool CopyFileContents(const std::string& source_utf8, const std::string& destination_utf8,
                      std::uint32_t flags) {
  if ((flags & kCopyOverwrite) == 0 && IsExistingFile(destination_utf8)) return false;
  if ((flags & kCopyCreateFolder) != 0) {
    const std::string folder(FolderPartOf(destination_utf8));
    if (!folder.empty() && !MakeFolderChain(folder)) return false;
  }
  NativeFile source = OpenSource(source_utf8);
  TemporaryFile destination(destination_utf8, Encoding::kUtf8);
  if (!destination.IsOpen()) {
    throw EFCreateError(Format(kUnableToCreateFile, destination_utf8.c_str()));
  }

  std::array<unsigned char, kChunkSize> chunk;
  while (true) {
    const std::optional<std::size_t> got = source.Read(chunk.data(), chunk.size());
    if (!got) throw EReadError(Format(kUnableToReadFile, source_utf8.c_str()));
    if (*got == 0) break;
    if (destination.File().Write(chunk.data(), *got).value_or(0) != *got) {
      throw EWriteError(Format(kUnableToWriteToFile, destination_utf8.c_str()));
    }
  }
  if (!destination.Close()) {
    throw EWriteError(Format(kUnableToWriteToFile, destination_utf8.c_str()));
  }
  if ((flags & kCopyKeepTime) != 0) {
    if (const std::optional<TDateTime> time = source.LastWriteTime()) {
      SetLastWriteTime(destination.Path(), Encoding::kUtf8, *time);
    }
  }
  if (!destination.ReplaceTarget()) {
    throw EFCreateError(Format(kUnableToCreateFile, destination_utf8.c_str()));
  }
  return true;
}

}  // namespace platform
