// libFuzzer target over the reader: the input is an archive, extracted with TUnZipper into a
// fresh folder. Besides what the sanitizers catch, a run fails on anything written outside that
// folder and on any failure other than the library's and the platform's own exceptions.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/exception.h"
#include "platform/file_stream.h"
#include "tests/platform/scratch_folder.h"
#include "zip/unzipper.h"

namespace fs = std::filesystem;

namespace {

// base/input.zip and base/sentinel/out/. The sentinel folder holds nothing but the output
// folder and is the current folder too, so a stray write, relative or climbing, lands beside
// the output folder or beside the input, where it is seen.
class FuzzFolders {
 public:
  FuzzFolders()
      : input_(base_.Path() / "input.zip"),
        sentinel_(base_.Path() / "sentinel"),
        output_(sentinel_ / "out") {
    fs::create_directory(sentinel_);
    fs::current_path(sentinel_);
  }

  const fs::path& Input() const { return input_; }
  const fs::path& Output() const { return output_; }

  // Aborts, naming it, when anything but the input and the output folder has appeared.
  void CheckNothingOutside() const {
    CheckHoldsOnly(base_.Path(), {input_.filename(), sentinel_.filename()});
    CheckHoldsOnly(sentinel_, {output_.filename()});
  }

 private:
  static void CheckHoldsOnly(const fs::path& folder, const std::vector<fs::path>& allowed) {
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
      bool expected = false;
      for (const fs::path& name : allowed) expected = expected || entry.path().filename() == name;
      if (!expected) {
        std::fprintf(stderr, "written outside the output folder: %s\n",
                     entry.path().string().c_str());
        std::abort();
      }
    }
  }

  const platform::testing::ScratchFolder base_;
  const fs::path input_;
  const fs::path sentinel_;
  const fs::path output_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const FuzzFolders folders;
  platform::TFileStream(folders.Input().string(), platform::FileMode::kCreate)
      .WriteBuffer(data, size);
  fs::create_directory(folders.Output());
  try {
    zip::OutputNameOverride.clear();
    zip::TUnZipper reader;
    reader.SetFileName(folders.Input().string());
    reader.SetOutputFolder(folders.Output().string());
    reader.ExtractAll();
  } catch (const platform::Exception&) {
    // Refusing a damaged archive is the reader's job; anything else escapes and is reported.
  }
  folders.CheckNothingOutside();
  fs::remove_all(folders.Output());
  return 0;
}
