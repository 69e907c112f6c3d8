#include "platform/process.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "platform/exception.h"
#include "tests/platform/posix/environment_guard.h"
#include "tests/platform/scratch_folder.h"

namespace platform {
namespace {

using testing::ReadTextFile;
using testing::ScratchFolder;
using testing::WriteTextFile;
namespace fs = std::filesystem;

// Records its arguments, working folder and one variable, after a pause that a launcher
// which does not wait would not sit out.
constexpr char kRecorder[] =
    "#!/bin/sh\n"
    "sleep \"$PLATFORM_TEST_PAUSE\"\n"
    "{ echo \"$#\"; for a in \"$@\"; do echo \"[$a]\"; done; pwd; } > \"$PLATFORM_TEST_OUT.part\"\n"
    "mv \"$PLATFORM_TEST_OUT.part\" \"$PLATFORM_TEST_OUT\"\n";

class ProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder_.Path() / "my tools");
    fs::create_directories(folder_.Path() / "work");
    WriteTextFile(folder_.Path() / "my tools" / "Recorder.sh", kRecorder);
    fs::permissions(folder_.Path() / "my tools" / "Recorder.sh",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    environment_.Set("PLATFORM_TEST_OUT", Record().string());
    environment_.Set("PLATFORM_TEST_PAUSE", "0.3");
    previous_folder_ = fs::current_path();
    fs::current_path(folder_.Path() / "work");
  }
  void TearDown() override { fs::current_path(previous_folder_); }

  fs::path Record() const { return folder_.Path() / "record.txt"; }

  ScratchFolder folder_;
  testing::EnvironmentGuard environment_;
  fs::path previous_folder_;
};

TEST_F(ProcessTest, RunsTheProgramWithItsArgumentsAndWaitsForItsEnd) {
  TProcess process;
  // As the launcher names its application: quoted, and in the case of its own choosing.
  process.Executable = "\"" + (folder_ / "my tools\\recorder.SH") + "\"";
  process.Parameters = {"two words", "plain", ""};
  process.SetOptions({ProcessOption::kWaitOnExit});
  process.Launch();
  EXPECT_EQ(ReadTextFile(Record()),
            "2\n[two words]\n[plain]\n" + (folder_.Path() / "work").string() + "\n");
  const fs::perms granted = fs::status(folder_.Path() / "my tools" / "Recorder.sh").permissions();
  EXPECT_EQ(granted & (fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec),
            fs::perms::owner_exec | fs::perms::group_exec);
}

TEST_F(ProcessTest, WithoutWaitOnExitLaunchReturnsAtOnce) {
  environment_.Set("PLATFORM_TEST_PAUSE", "1");
  TProcess process;
  process.Executable = folder_ / "my tools/Recorder.sh";
  process.Launch();
  EXPECT_FALSE(fs::exists(Record()));
  for (int i = 0; i < 200 && !fs::exists(Record()); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(ReadTextFile(Record()), "0\n" + (folder_.Path() / "work").string() + "\n");
}

TEST_F(ProcessTest, AProgramThatCannotStartRaisesWithTheCommandLineAndTheCode) {
  TProcess process;
  process.Executable = folder_ / "missing.exe";
  process.Parameters = {"an argument"};
  process.SetOptions({ProcessOption::kWaitOnExit});
  try {
    process.Launch();
    FAIL();
  } catch (const EProcess& e) {
    EXPECT_EQ(e.ClassName(), "EProcess");
    EXPECT_EQ(e.Message(),
              "Failed to execute " + (folder_ / "missing.exe") + " \"an argument\" : 2");  // ENOENT
  }
}

TEST_F(ProcessTest, ABareNameIsSearchedForOnThePath) {
  TProcess process;
  process.Executable = "sh";
  process.Parameters = {"-c", "echo found > $PLATFORM_TEST_OUT"};
  process.SetOptions({ProcessOption::kWaitOnExit});
  process.Launch();
  EXPECT_EQ(ReadTextFile(Record()), "found\n");
}

}  // namespace
}  // namespace platform
