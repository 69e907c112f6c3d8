#include "platform/memory_stream.h"

#include <algorithm>
#include <cstring>

namespace platform {

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
  if (position_ >= data_.size()) return 0;
  const std::size_t n = std::min(count, data_.size() - position_);
  std::memcpy(buffer, data_.data() + position_, n);
  position_ += n;
  return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
  if (count == 0) return 0;
  if (position_ + count > data_.size()) data_.resize(position_ + count);
  std::memcpy(data_.data() + position_, buffer, count);
  position_ += count;
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, SeekOrigin origin) {
  std::int64_t base = 0;
  if (origin == SeekOrigin::kCurrent) base = static_cast<std::int64_t>(position_);
  if (origin == SeekOrigin::kEnd) base = static_cast<std::int64_t>(data_.size());
  position_ = static_cast<std::size_t>(std::max<std::int64_t>(0, base + offset));
  return static_cast<std::int64_t>(position_);
}

}  // namespace platform
