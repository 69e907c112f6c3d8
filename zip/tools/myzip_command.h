// The myzip command line:
//   myzip x ARCHIVE FOLDER    extracts every entry of ARCHIVE into FOLDER
//   myzip c ARCHIVE FILE...   writes ARCHIVE from the files, each under its bare name
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zip::tools {

inline constexpr int kMyzipFailed = 1;
inline constexpr int kMyzipUsage = 2;

// `arguments` without the program name. Gives 0 on success; kMyzipFailed after writing the
// library's message to `errors`, kMyzipUsage after writing the usage to it.
int RunMyzip(const std::vector<std::string>& arguments, std::ostream& errors);

}  // namespace zip::tools
