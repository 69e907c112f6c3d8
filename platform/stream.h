// Byte streams: the abstraction every reader, writer and codec moves data through.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

enum class SeekOrigin { kBeginning, kCurrent, kEnd };

class TStream {
 public:
  TStream() = default;
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;
  virtual ~TStream() = default;

  // Gives the number of bytes read, 0 at the end. A failing read raises EReadError.
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  // Gives the number of bytes written; fewer than asked means the medium refused the rest.
  virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
  // Gives the new position.
  virtual std::int64_t Seek(std::int64_t offset, SeekOrigin origin) = 0;
  virtual std::int64_t Size();

  std::int64_t Position() { return Seek(0, SeekOrigin::kCurrent); }
  void SetPosition(std::int64_t position) { Seek(position, SeekOrigin::kBeginning); }

  // Exactly `count` bytes or EReadError "Stream read error" / EWriteError "Stream write error".
  void ReadBuffer(void* buffer, std::size_t count);
  void WriteBuffer(const void* buffer, std::size_t count);

  // Copies `count` bytes from the source's current position; a count of 0 copies the whole
  // source from its start. Moves at most kCopyBlockSize bytes per step; gives the count copied.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);

  static constexpr std::size_t kCopyBlockSize = 128 * 1024;
};

}  // namespace platform
