// A read that the system fails in the middle of a copy.
#include <gtest/gtest.h>

#include <thread>

#include "platform/exception.h"
#include "platform/file_operations.h"
#include "platform/windows/handles.h"
#include "tests/platform/scratch_folder.h"

namespace platform {
namespace {

using testing::NamesIn;
using testing::ReadTextFile;
using testing::ScratchFolder;
using testing::WriteTextFile;
using Names = std::vector<std::string>;

// A source whose reads fail after some data: a pipe whose writer goes away, which the
// reader sees as an error, not as an end.
class BrokenPipeSource {
 public:
  BrokenPipeSource()
      : name_("\\\\.\\pipe\\platform-test-" + std::to_string(::GetCurrentProcessId())),
        pipe_(windows::NullWhenInvalid(::CreateNamedPipeA(
            name_.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 0, 0, nullptr))),
        writer_([this] {
          ::ConnectNamedPipe(pipe_.get(), nullptr);  // returns at once if already connected
          const std::string data(6000, 'd');
          DWORD written = 0;
          ::WriteFile(pipe_.get(), data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
          ::FlushFileBuffers(pipe_.get());
          pipe_.reset();
        }) {}
  BrokenPipeSource(const BrokenPipeSource&) = delete;
  BrokenPipeSource& operator=(const BrokenPipeSource&) = delete;
  ~BrokenPipeSource() { writer_.join(); }

  const std::string& Name() const { return name_; }

 private:
  std::string name_;
  windows::UniqueHandle pipe_;
  std::thread writer_;
};

TEST(CopyFailureTest, AFailingReadRaisesAndLeavesTheDestinationAsItWas) {
  ScratchFolder folder;
  const std::string destination = folder / "trad_dyn.pl";
  WriteTextFile(destination, "the user's own file, which must survive");
  BrokenPipeSource source;
  try {
    CopyFileContents(source.Name(), destination, kCopyOverwrite);
    FAIL() << "the copy ended as if complete";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Unable to read file \"" + source.Name() + "\"");
  }
  EXPECT_EQ(ReadTextFile(destination), "the user's own file, which must survive");
  EXPECT_EQ(NamesIn(folder.Path()), Names{"trad_dyn.pl"});
}

}  // namespace
}  // namespace platform
