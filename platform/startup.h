// Program start-up and the failure report for a failure that leaves the program's body.
#pragma once

#include <exception>
#include <functional>
#include <string>

namespace platform {

inline constexpr int kFailureExitCode = 217;

// Runs the platform's initialisation, then `body`; a failure that leaves `body` is shown in
// the failure report and gives kFailureExitCode, a normal end 0.
int RunProgram(int argc, char** argv, const std::function<void()>& body);

// The failure report's text for a raised object (not a null pointer), with CR LF line ends.
// Shown through an ErrorTextWriter in blocks captioned kErrorCaption.
std::string FailureReport(const std::exception_ptr& failure);

}  // namespace platform
