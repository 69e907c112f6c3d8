#include "zip/verifying_sink.h"

#include <span>

#include "platform/exception.h"

namespace zip {

std::size_t VerifyingSink::Read(void* /*buffer*/, std::size_t /*count*/) { return 0; }

std::size_t VerifyingSink::Write(const void* buffer, std::size_t count) {
  if (static_cast<std::int64_t>(count) > recorded_size_ - count_) throw Overrun();
  const std::size_t written = output_.Write(buffer, count);
  crc_register_ =
      Crc32Update(crc_register_, std::span(static_cast<const std::uint8_t*>(buffer), written));
  count_ += static_cast<std::int64_t>(written);
  return written;
}

std::int64_t VerifyingSink::Seek(std::int64_t offset, platform::SeekOrigin origin) {
  const std::int64_t target = origin == platform::SeekOrigin::kBeginning ? offset : count_ + offset;
  if (target != count_) throw platform::EWriteError(platform::kStreamWriteError);
  return count_;
}

}  // namespace zip
