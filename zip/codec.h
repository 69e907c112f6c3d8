// The shape shared by the codecs that move one entry's bytes from a source stream to a sink
// stream, compressing or decompressing, and take the CRC-32 of the uncompressed bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "platform/exception.h"
#include "platform/stream.h"

namespace zip {

// The message is zlib's text for its error code.
class ECompressionError : public platform::Exception {
 public:
  explicit ECompressionError(std::string message)
      : Exception("ECompressionError", std::move(message)) {}
};

class EDecompressionError : public platform::Exception {
 public:
  explicit EDecompressionError(std::string message)
      : Exception("EDecompressionError", std::move(message)) {}
};

// Kept for the callers' settings; no codec reports progress.
using ProgressHandler = std::function<void(double percent)>;

// Source and sink are borrowed: a codec never frees them. A codec serves one run.
class TCodec {
 public:
  TCodec(const TCodec&) = delete;
  TCodec& operator=(const TCodec&) = delete;
  virtual ~TCodec() = default;

  // The zip compression method code the codec produces or consumes.
  virtual std::uint16_t MethodCode() const = 0;

  platform::TStream& Source() const { return source_; }
  platform::TStream& Sink() const { return sink_; }
  // The running register during a run; the CRC-32 of the uncompressed bytes after it.
  std::uint32_t Crc32() const { return crc32_; }
  // The work buffer's size: the most the codec reads or produces in one step.
  std::uint32_t BufferSize() const { return buffer_size_; }

  std::int32_t ProgressStep() const { return progress_step_; }
  void SetProgressStep(std::int32_t step) { progress_step_ = step; }
  const ProgressHandler& OnProgress() const { return on_progress_; }
  void SetOnProgress(ProgressHandler handler) { on_progress_ = std::move(handler); }

 protected:
  TCodec(platform::TStream& source, platform::TStream& sink, std::uint32_t buffer_size);

  void StartCrc();
  void UpdateCrc(std::span<const std::uint8_t> bytes);
  void FinishCrc();

 private:
  platform::TStream& source_;
  platform::TStream& sink_;
  std::uint32_t crc32_;
  std::uint32_t buffer_size_;
  std::int32_t progress_step_ = 0;
  ProgressHandler on_progress_;
};

// Reads Source from its current position to its end; writes the compressed bytes to Sink.
class TCompressor : public TCodec {
 public:
  virtual void Compress() = 0;

 protected:
  // A buffer size of 0 raises ECompressionError.
  TCompressor(platform::TStream& source, platform::TStream& sink, std::uint32_t buffer_size);
};

// Reads compressed bytes from Source's current position; writes the uncompressed ones to Sink.
class TDeCompressor : public TCodec {
 public:
  virtual void Decompress() = 0;

 protected:
  // A buffer size of 0 raises EDecompressionError.
  TDeCompressor(platform::TStream& source, platform::TStream& sink, std::uint32_t buffer_size);
};

}  // namespace zip
