#include "zip/tools/myzip_command.h"

#include "platform/exception.h"
#include "platform/path.h"
#include "zip/unzipper.h"
#include "zip/zipper.h"

namespace zip::tools {

namespace {

constexpr char kUsage[] =
    "usage: myzip x ARCHIVE FOLDER\n"
    "       myzip c ARCHIVE FILE...\n";

void Extract(const std::string& archive, const std::string& folder) {
  OutputNameOverride.clear();
  TUnZipper reader;
  reader.SetFileName(archive);
  reader.SetOutputFolder(folder);
  reader.ExtractAll();
}

void Create(const std::string& archive, const std::vector<std::string>& files) {
  TZipper writer;
  writer.SetFileName(archive);
  for (const std::string& file : files) {
    writer.Entries().AddDiskFile(file).SetArchiveFileName(platform::ExtractFileName(file));
  }
  writer.WriteArchive();
}

}  // namespace

int RunMyzip(const std::vector<std::string>& arguments, std::ostream& errors) {
  const bool extract = arguments.size() == 3 && arguments[0] == "x";
  const bool create = arguments.size() >= 3 && arguments[0] == "c";
  if (!extract && !create) {
    errors << kUsage;
    return kMyzipUsage;
  }
  try {
    if (extract) {
      Extract(arguments[1], arguments[2]);
    } else {
      Create(arguments[1], {arguments.begin() + 2, arguments.end()});
    }
  } catch (const platform::Exception& failure) {
    errors << failure.Message() << '\n';
    return kMyzipFailed;
  }
  return 0;
}

}  // namespace zip::tools
