// The stream an extracted entry's bytes pass through on their way to its output file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>

#include "platform/stream.h"
#include "zip/crc32.h"

namespace zip {

// Counts the bytes and takes their CRC-32 as they pass, so that an entry is checked against its
// recorded size and CRC-32 without being held in memory or read back, and refuses every byte
// beyond the recorded size, so that a lying entry costs no more than its honest size.
class VerifyingSink : public platform::TStream {
 public:
  // Raised by a write that would take the output past the recorded size; none of it is written.
  class Overrun : public std::exception {
   public:
    const char* what() const noexcept override { return "entry larger than recorded"; }
  };

  VerifyingSink(platform::TStream& output, std::int64_t recorded_size)
      : output_(output), recorded_size_(recorded_size) {}

  // Nothing is read back.
  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  // The sink only appends: a seek that would move raises EWriteError "Stream write error".
  std::int64_t Seek(std::int64_t offset, platform::SeekOrigin origin) override;

  std::int64_t Count() const { return count_; }
  // The finished CRC-32 of the bytes written so far.
  std::uint32_t Crc32() const { return ~crc_register_; }

 private:
  platform::TStream& output_;
  std::int64_t recorded_size_;
  std::int64_t count_ = 0;
  std::uint32_t crc_register_ = kCrc32Initial;
};

}  // namespace zip
