#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/file_operations.h"
#include "platform/native.h"
#include "tests/platform/posix/environment_guard.h"

namespace platform {
namespace {

using testing::EnvironmentGuard;
using Value = std::optional<std::string>;

TEST(TempFolderTest, TakesTempThenTmpThenTheHostsOwn) {
  const struct {
    Value temp, tmp, tmpdir;
    const char* folder;
  } cases[] = {
      {"/t/temp", "/t/tmp", "/t/dir", "/t/temp\\"},
      {"", "/t/tmp", "/t/dir", "/t/tmp\\"},
      {std::nullopt, "C:\\Temp", "/t/dir", "C:\\Temp\\"},
      {"/ends/in/slash/", std::nullopt, std::nullopt, "/ends/in/slash/"},
      {"C:\\Temp\\", std::nullopt, std::nullopt, "C:\\Temp\\"},
      {"", "", "/t/dir", "/t/dir\\"},
      {std::nullopt, std::nullopt, "", "/tmp\\"},
      {std::nullopt, std::nullopt, std::nullopt, "/tmp\\"},
  };
  for (const auto& c : cases) {
    EnvironmentGuard environment;
    for (const char* name : {"TEMP", "temp", "Temp", "TMP", "tmp", "Tmp"}) {
      environment.Set(name, std::nullopt);
    }
    environment.Set("TEMP", c.temp);
    environment.Set("TMP", c.tmp);
    environment.Set("TMPDIR", c.tmpdir);
    EXPECT_EQ(TempFolder(), c.folder)
        << c.temp.value_or("(none)") << " " << c.tmp.value_or("(none)");
  }
}

TEST(TempFolderTest, VariableNamesMatchWithoutRegardToCase) {
  EnvironmentGuard environment;
  environment.Set("TEMP", std::nullopt);
  environment.Set("TMP", std::nullopt);
  environment.Set("tEmP", "/lower/case");
  EXPECT_EQ(TempFolder(), "/lower/case\\");
  EXPECT_EQ(EnvironmentVariable("TEMP"), "/lower/case");
  EXPECT_EQ(EnvironmentVariable("NO_SUCH_VARIABLE_HERE"), std::nullopt);
}

TEST(HostTest, CurrentFolderIsTheWorkingDirectory) {
  char buffer[4096];
  ASSERT_NE(::getcwd(buffer, sizeof buffer), nullptr);
  EXPECT_EQ(CurrentFolder(), buffer);
}

TEST(HostTest, ArgumentsAreThoseTheProgramWasStartedWith) {
  std::string program = "launcher", first = "first argument", second = "second";
  char* argv[] = {program.data(), first.data(), second.data()};
  InitializeHost(3, argv);
  EXPECT_EQ(ArgumentAt(0), "launcher");
  EXPECT_EQ(ArgumentAt(1), "first argument");
  EXPECT_EQ(ArgumentAt(2), "second");
  EXPECT_EQ(ArgumentAt(3), "");
}

}  // namespace
}  // namespace platform
