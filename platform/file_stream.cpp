#include "platform/file_stream.h"

#include "platform/exception.h"

namespace platform {

TFileStream::TFileStream(std::string file_name, FileMode mode) : file_name_(std::move(file_name)) {
  const bool create = mode == FileMode::kCreate;
  file_ = NativeFile::Open(file_name_, Encoding::kSystemCodePage,
                           create ? FileAccess::kCreate : FileAccess::kRead, FileShare::kExclusive);
  if (!file_.IsOpen()) {
    if (create) throw EFCreateError(Format(kUnableToCreateFile, file_name_.c_str()));
    throw EFOpenError(Format(kUnableToOpenFile, file_name_.c_str()));
  }
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
  const auto got = file_.Read(buffer, count);
  if (!got) throw EReadError(kStreamReadError);
  return *got;
}

std::size_t TFileStream::Write(const void* buffer, std::size_t count) {
  return file_.Write(buffer, count).value_or(0);
}

std::int64_t TFileStream::Seek(std::int64_t offset, SeekOrigin origin) {
  const auto position = file_.Seek(offset, static_cast<int>(origin));
  if (!position) throw EReadError(kStreamReadError);
  return *position;
}

}  // namespace platform
