#include <iostream>
#include <string>
#include <vector>

#include "zip/tools/myzip_command.h"

int main(int argc, char** argv) {
  return zip::tools::RunMyzip(std::vector<std::string>(argv + 1, argv + argc), std::cerr);
}
