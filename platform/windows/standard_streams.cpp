#include "platform/windows/standard_streams.h"

#include <array>
#include <iostream>
#include <streambuf>

#include "platform/error_text_writer.h"
#include "platform/native.h"

namespace platform::windows {

namespace {

// Unbuffered: every character reaches the writer when it is written.
class ErrorTextBuffer final : public std::streambuf {
 public:
  explicit ErrorTextBuffer(ErrorTextWriter& writer) : writer_(writer) {}

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char character = traits_type::to_char_type(c);
    writer_.Write(std::string_view(&character, 1));
    return c;
  }
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    writer_.Write(std::string_view(text, static_cast<std::size_t>(count)));
    return count;
  }

 private:
  ErrorTextWriter& writer_;
};

// Lives until the process's static objects go, after the program's body has ended.
class StandardStreamRoute {
 public:
  StandardStreamRoute() {
    for (auto& [stream, previous] : routed_) previous = stream->rdbuf(&buffer_);
  }
  StandardStreamRoute(const StandardStreamRoute&) = delete;
  StandardStreamRoute& operator=(const StandardStreamRoute&) = delete;
  ~StandardStreamRoute() {
    for (auto& [stream, previous] : routed_) stream->rdbuf(previous);
    writer_.Finish();
  }

 private:
  ErrorTextWriter writer_{[](const std::string& block) { ShowErrorText(kErrorCaption, block); }};
  ErrorTextBuffer buffer_{writer_};
  std::array<std::pair<std::ostream*, std::streambuf*>, 3> routed_{
      {{&std::cout, nullptr}, {&std::cerr, nullptr}, {&std::clog, nullptr}}};
};

}  // namespace

void RouteStandardStreams() { static StandardStreamRoute route; }

}  // namespace platform::windows
