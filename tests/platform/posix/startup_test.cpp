#include "platform/startup.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/error_text_writer.h"
#include "platform/exception.h"
#include "platform/file_operations.h"
#include "platform/native.h"
#include "tests/platform/scratch_folder.h"

namespace platform {
namespace {

using testing::ScratchFolder;

// Standard error goes to a file while the object lives.
class StandardErrorCapture {
 public:
  explicit StandardErrorCapture(std::filesystem::path file)
      : file_(std::move(file)), saved_(::dup(STDERR_FILENO)) {
    const int descriptor = ::open(file_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(descriptor, STDERR_FILENO);
    ::close(descriptor);
  }
  StandardErrorCapture(const StandardErrorCapture&) = delete;
  StandardErrorCapture& operator=(const StandardErrorCapture&) = delete;
  ~StandardErrorCapture() { Restore(); }

  std::string Text() {
    Restore();
    return testing::ReadTextFile(file_);
  }

 private:
  void Restore() {
    if (saved_ < 0) return;
    ::dup2(saved_, STDERR_FILENO);
    ::close(saved_);
    saved_ = -1;
  }
  std::filesystem::path file_;
  int saved_;
};

// What standard error shows for `report`: each block under its caption line.
std::string Shown(const std::string& report) {
  std::string shown;
  for (std::size_t at = 0; at < report.size(); at += ErrorTextWriter::kBlockSize) {
    const std::string block = report.substr(at, ErrorTextWriter::kBlockSize);
    shown += "Error\n" + block + (block.back() == '\n' ? "" : "\n");
  }
  return shown;
}

class StartupTest : public ::testing::Test {
 protected:
  int Run(const std::function<void()>& body) {
    std::string program = "launcher", argument = "the argument";
    char* argv[] = {program.data(), argument.data()};
    StandardErrorCapture capture(folder_.Path() / "stderr.txt");
    const int exit_code = RunProgram(2, argv, body);
    error_text_ = capture.Text();
    return exit_code;
  }
  ScratchFolder folder_;
  std::string error_text_;
};

TEST_F(StartupTest, ANormalEndGivesZeroAndShowsNothing) {
  std::string seen;
  EXPECT_EQ(Run([&] { seen = ArgumentAt(1); }), 0);
  EXPECT_EQ(seen, "the argument");
  EXPECT_EQ(error_text_, "");
}

TEST_F(StartupTest, AFailureIsReportedUnderTheErrorCaptionAndGives217) {
  const EProcess failure("Failed to execute \"C:\\k\\korvantel.exe\"  : 2");
  EXPECT_EQ(Run([&] { throw failure; }), 217);
  const std::string report = FailureReport(std::make_exception_ptr(failure));
  ASSERT_LT(report.size(), ErrorTextWriter::kBlockSize);
  EXPECT_EQ(error_text_, "Error\n" + report);
  EXPECT_NE(report.find("\r\nEProcess : Failed to execute \"C:\\k\\korvantel.exe\"  : 2\r\n"),
            std::string::npos);
}

TEST_F(StartupTest, ALongReportIsShownInBlocksOf1024Characters) {
  const EReadError failure(std::string(2100, 'm'));
  EXPECT_EQ(Run([&] { throw failure; }), 217);
  const std::string report = FailureReport(std::make_exception_ptr(failure));
  ASSERT_GT(report.size(), 2 * ErrorTextWriter::kBlockSize);
  EXPECT_EQ(error_text_, Shown(report));
}

}  // namespace
}  // namespace platform
