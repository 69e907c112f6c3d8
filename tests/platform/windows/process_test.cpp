// TProcess on CreateProcessA, with a program built beside the tests.
#include "platform/process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/exception.h"
#include "tests/platform/scratch_folder.h"
#include "tests/platform/windows/windows_test_support.h"

namespace platform {
namespace {

using testing::EnvironmentGuard;
using testing::ProgramBeside;
using testing::ReadTextFile;
using testing::ScratchFolder;
namespace fs = std::filesystem;

class ProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(folder_.Path() / "work");
    environment_.Set("PLATFORM_TEST_RECORD", Record().string());
    environment_.Set("PLATFORM_TEST_PAUSE", "300");
    previous_folder_ = fs::current_path();
    fs::current_path(folder_.Path() / "work");
  }
  void TearDown() override { fs::current_path(previous_folder_); }

  fs::path Record() const { return folder_.Path() / "record.txt"; }
  static std::string Recorder() { return "\"" + ProgramBeside("argument_recorder.exe") + "\""; }

  ScratchFolder folder_;
  EnvironmentGuard environment_;
  fs::path previous_folder_;
};

TEST_F(ProcessTest, RunsTheCommandLineInTheLaunchersFolderAndWaitsForItsEnd) {
  TProcess process;
  process.Executable = Recorder();
  process.Parameters = {"two words", "plain", ""};
  process.SetOptions({ProcessOption::kWaitOnExit});
  process.Launch();
  // The program's own exit code (7) raises nothing.
  EXPECT_EQ(ReadTextFile(Record()), process.CommandLine() + "\ntwo words\nplain\n\n" +
                                        (folder_.Path() / "work").string() + "\n");
  EXPECT_EQ(process.CommandLine(), Recorder() + " \"two words\" plain ");
}

TEST_F(ProcessTest, WithoutWaitOnExitLaunchReturnsAtOnce) {
  TProcess process;
  process.Executable = Recorder();
  process.Launch();
  EXPECT_FALSE(fs::exists(Record()));
  for (int i = 0; i < 200 && !fs::exists(Record()); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(ReadTextFile(Record()),
            Recorder() + "\n\n\n\n" + (folder_.Path() / "work").string() + "\n");
}

TEST_F(ProcessTest, AProgramThatCannotStartRaisesWithTheCommandLineAndTheSystemsCode) {
  TProcess process;
  process.Executable = "\"" + (folder_ / "missing.exe") + "\"";
  process.Parameters = {"an argument"};
  process.SetOptions({ProcessOption::kWaitOnExit});
  try {
    process.Launch();
    FAIL();
  } catch (const EProcess& e) {
    EXPECT_EQ(e.Message(), "Failed to execute " + process.CommandLine() + " : 2");
  }
}

}  // namespace
}  // namespace platform
