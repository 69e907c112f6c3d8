#include "platform/exception.h"

#include <cstdarg>
#include <cstdio>

#include "platform/call_trace.h"

namespace platform {

namespace {
constexpr std::size_t kMaxTraceFrames = 16;
}

// Not inlined, so that the trace starts at the frame that constructs the exception,
// which is the throw site or the derived class's constructor called from it.
[[gnu::noinline]] Exception::Exception(std::string class_name, std::string message)
    : class_name_(std::move(class_name)),
      message_(std::move(message)),
      call_trace_(CaptureCallTrace(0, kMaxTraceFrames)) {}

std::string Format(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  std::string text;
  if (length > 0) {
    text.resize(static_cast<std::size_t>(length));
    std::vsnprintf(text.data(), text.size() + 1, format, args);
  }
  va_end(args);
  return text;
}

}  // namespace platform
