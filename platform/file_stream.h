// A stream over a file, opened through the system code page functions.
#pragma once

#include <string>

#include "platform/native.h"
#include "platform/stream.h"

namespace platform {

enum class FileMode {
  kOpenRead,  // an existing file, read only, no other opener
  kCreate,    // created or emptied, read and write, no other opener
};

class TFileStream : public TStream {
 public:
  // Raises EFOpenError "Unable to open file "%s"" or EFCreateError "Unable to create file "%s"".
  TFileStream(std::string file_name, FileMode mode);

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;

  const std::string& FileName() const { return file_name_; }

 private:
  std::string file_name_;
  NativeFile file_;
};

}  // namespace platform
