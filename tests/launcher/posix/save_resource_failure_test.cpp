// A bundle that cannot be written whole is a failure, not a damaged archive left on disk.
#include <gtest/gtest.h>

#include <vector>

#include "launcher/bundle_routines.h"
#include "platform/exception.h"
#include "tests/platform/posix/file_size_limit.h"
#include "tests/platform/scratch_folder.h"

namespace launcher {
namespace {

TEST(SaveResourceFailureTest, AShortWriteRaises) {
  platform::testing::ScratchFolder scratch;
  const std::vector<std::uint8_t> value(100'000, 0x50);
  resources::ResourceRegistry registry;
  registry.Add("korvantelprincipal", "ZIP", {resources::Bytes(value)});
  platform::testing::FileSizeLimit limit(10'000);
  try {
    SaveResourceToFile(registry, "korvantelprincipal", scratch / "korvantelprincipal.zip");
    FAIL() << "the write went past the size limit";
  } catch (const platform::EWriteError& e) {
    EXPECT_EQ(e.Message(), "Stream write error");
  }
}

}  // namespace
}  // namespace launcher
