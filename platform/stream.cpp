#include "platform/stream.h"

#include <algorithm>
#include <memory>

#include "platform/exception.h"

namespace platform {

std::int64_t TStream::Size() {
  const std::int64_t position = Position();
  const std::int64_t size = Seek(0, SeekOrigin::kEnd);
  SetPosition(position);
  return size;
}

void TStream::ReadBuffer(void* buffer, std::size_t count) {
  auto* bytes = static_cast<unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    const std::size_t got = Read(bytes + done, count - done);
    if (got == 0) throw EReadError(kStreamReadError);
    done += got;
  }
}

void TStream::WriteBuffer(const void* buffer, std::size_t count) {
  if (Write(buffer, count) != count) throw EWriteError(kStreamWriteError);
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  const std::size_t block = static_cast<std::size_t>(
      std::min<std::int64_t>(count, static_cast<std::int64_t>(kCopyBlockSize)));
  if (block == 0) return 0;
  auto buffer = std::make_unique_for_overwrite<unsigned char[]>(block);
  std::int64_t left = count;
  while (left > 0) {
    const auto step = static_cast<std::size_t>(std::min<std::int64_t>(left, std::int64_t(block)));
    source.ReadBuffer(buffer.get(), step);
    WriteBuffer(buffer.get(), step);
    left -= static_cast<std::int64_t>(step);
  }
  return count;
}

}  // namespace platform
