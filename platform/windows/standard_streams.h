// A program without a console has nowhere to show its standard output and error.
#pragma once

namespace platform::windows {

// From the first call on, the text of std::cout, std::cerr and std::clog goes to one
// message-box writer: each full block at once, the rest at exit. Text written there is shown
// after a failure report, which has its own writer.
void RouteStandardStreams();

}  // namespace platform::windows
