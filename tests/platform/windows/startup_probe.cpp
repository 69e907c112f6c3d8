// A windowless program that starts as the launcher does, for the start-up tests. Its first
// argument chooses what its body does: "fail", "fail-long", "write", or nothing at all.
#include <iostream>
#include <string>

#include "platform/exception.h"
#include "platform/file_operations.h"
#include "platform/startup.h"

int main(int argc, char** argv) {
  return platform::RunProgram(argc, argv, [] {
    const std::string action = platform::ArgumentAt(1);
    if (action == "fail")
      throw platform::EProcess("Failed to execute \"C:\\k\\korvantel.exe\"  : 2");
    if (action == "fail-long") throw platform::EReadError(std::string(2100, 'm'));
    if (action == "write") {
      std::cout << std::string(1500, 'o');
      std::cerr << "and error";
    }
  });
}
