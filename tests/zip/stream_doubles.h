// Memory streams that misbehave or keep a log, for watching how the codecs use their streams.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/memory_stream.h"

namespace zip::testing_streams {

// Gives at most `limit` bytes per read and logs the size of every request.
class ChunkedSource : public platform::TMemoryStream {
 public:
  ChunkedSource(std::vector<std::uint8_t> data, std::size_t limit)
      : TMemoryStream(std::move(data)), limit_(limit) {}

  std::size_t Read(void* buffer, std::size_t count) override {
    requests_.push_back(count);
    return TMemoryStream::Read(buffer, std::min(count, limit_));
  }

  const std::vector<std::size_t>& Requests() const { return requests_; }

 private:
  std::size_t limit_;
  std::vector<std::size_t> requests_;
};

// Logs the size of every write.
class RecordingSink : public platform::TMemoryStream {
 public:
  std::size_t Write(const void* buffer, std::size_t count) override {
    writes_.push_back(count);
    return TMemoryStream::Write(buffer, count);
  }

  const std::vector<std::size_t>& Writes() const { return writes_; }

 private:
  std::vector<std::size_t> writes_;
};

// A medium that is full after `capacity` bytes.
class FullSink : public platform::TMemoryStream {
 public:
  explicit FullSink(std::size_t capacity) : capacity_(capacity) {}

  std::size_t Write(const void* buffer, std::size_t count) override {
    const auto room =
        capacity_ - std::min<std::size_t>(capacity_, static_cast<std::size_t>(Size()));
    return TMemoryStream::Write(buffer, std::min(count, room));
  }

 private:
  std::size_t capacity_;
};

}  // namespace zip::testing_streams
