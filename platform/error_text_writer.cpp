#include "platform/error_text_writer.h"

#include <algorithm>

namespace platform {

void ErrorTextWriter::Write(std::string_view text) {
  while (!text.empty()) {
    const std::size_t take = std::min(kBlockSize - buffer_.size(), text.size());
    buffer_.append(text.substr(0, take));
    text.remove_prefix(take);
    if (buffer_.size() == kBlockSize) {
      sink_(buffer_);
      buffer_.clear();
    }
  }
}

void ErrorTextWriter::Finish() {
  if (buffer_.empty()) return;
  sink_(buffer_);
  buffer_.clear();
}

}  // namespace platform
