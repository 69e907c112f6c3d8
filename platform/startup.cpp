#include "platform/startup.h"

#include "platform/error_text_writer.h"
#include "platform/native.h"

namespace platform {

int RunProgram(int argc, char** argv, const std::function<void()>& body) {
  InitializeHost(argc, argv);
  try {
    body();
    return 0;
  } catch (...) {
    ErrorTextWriter writer([](const std::string& block) { ShowErrorText(kErrorCaption, block); });
    writer.Write(FailureReport(std::current_exception()));
    writer.Finish();
    return kFailureExitCode;
  }
}

}  // namespace platform
