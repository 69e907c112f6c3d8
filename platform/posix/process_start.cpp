// Starting a program from a Windows-style command line: the line is split back into the
// argument vector by the rule Windows programs split it with.
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/command_line.h"
#include "platform/native.h"
#include "platform/posix/host_path.h"

namespace platform {

namespace {

// Any program file may run on Windows, as a ".exe" needs no permission of its own; here the
// file gets execute permission wherever it may be read.
void AllowExecution(const std::string& program) {
  struct stat info;
  if (::stat(program.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;
  if ((info.st_mode & S_IXUSR) != 0) return;
  const mode_t readable = info.st_mode & (S_IRUSR | S_IRGRP | S_IROTH);
  ::chmod(program.c_str(), info.st_mode | S_IXUSR | (readable >> 2));
}

}  // namespace

std::uint32_t StartProcess(const std::string& command_line, bool wait_for_exit) {
  std::vector<std::string> arguments = SplitCommandLine(command_line);
  if (arguments.empty() || arguments.front().empty()) return ENOENT;
  // A bare name is looked up on PATH; anything with a folder part is a path.
  const bool search_path = arguments.front().find_first_of("/\\") == std::string::npos;
  if (!search_path) {
    arguments.front() = posix::ResolvePath(arguments.front());
    AllowExecution(arguments.front());
  }
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  pid_t child = 0;
  const int error = search_path
                        ? ::posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ)
                        : ::posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ);
  if (error != 0) return static_cast<std::uint32_t>(error);
  if (wait_for_exit) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
  }
  return 0;
}

}  // namespace platform
