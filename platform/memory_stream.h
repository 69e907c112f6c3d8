// A stream over a growable buffer in memory.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/stream.h"

namespace platform {

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<std::uint8_t> data) : data_(std::move(data)) {}

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }

  std::span<const std::uint8_t> Bytes() const { return data_; }

 private:
  std::vector<std::uint8_t> data_;
  std::size_t position_ = 0;
};

}  // namespace platform
