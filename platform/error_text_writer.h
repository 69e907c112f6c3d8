// Collects the failure report for its message boxes: every full block goes out at once, the
// rest when the writer is finished.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

inline constexpr char kErrorCaption[] = "Error";

class ErrorTextWriter {
 public:
  static constexpr std::size_t kBlockSize = 1024;
  using Sink = std::function<void(const std::string& block)>;

  explicit ErrorTextWriter(Sink sink) : sink_(std::move(sink)) {}

  void Write(std::string_view text);
  // Hands on what the buffer still holds, if anything.
  void Finish();

 private:
  Sink sink_;
  std::string buffer_;
};

}  // namespace platform
