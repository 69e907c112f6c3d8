#include <gtest/gtest.h>

#include <regex>
#include <stdexcept>

#include "platform/error_text_writer.h"
#include "platform/exception.h"
#include "platform/startup.h"

namespace platform {
namespace {

std::string Hex(std::uintptr_t value) {
  return Format("%0*jX", static_cast<int>(2 * sizeof(void*)), static_cast<std::uintmax_t>(value));
}

TEST(FailureReportTest, ShowsAddressClassMessageAndCallTrace) {
  const EProcess failure("Failed to execute \"x\"  : 2");
  ASSERT_FALSE(failure.CallTrace().empty());
  std::string expected = "An unhandled exception occurred at $" + Hex(failure.Address()) +
                         " :\r\nEProcess : Failed to execute \"x\"  : 2\r\n";
  for (const std::uintptr_t frame : failure.CallTrace()) expected += "  $" + Hex(frame) + "\r\n";
  expected += "\r\n";
  EXPECT_EQ(FailureReport(std::make_exception_ptr(failure)), expected);
}

TEST(FailureReportTest, AddressesUseUpperCaseDigitsInThePointerWidth) {
  const std::string report = FailureReport(std::make_exception_ptr(EReadError("x")));
  const std::string digits = "[0-9A-F]{" + std::to_string(2 * sizeof(void*)) + "}";
  EXPECT_TRUE(std::regex_search(
      report, std::regex("^An unhandled exception occurred at \\$" + digits + " :\r\n")))
      << report;
  EXPECT_TRUE(std::regex_search(report, std::regex("\r\n  \\$" + digits + "\r\n\r\n$"))) << report;
}

TEST(FailureReportTest, NamesAnObjectThatIsNotAPlatformException) {
  const std::string header = "An unhandled exception occurred at $" + Hex(0) + " :\r\n";
  EXPECT_EQ(FailureReport(std::make_exception_ptr(std::runtime_error("boom"))),
            header + "Exception object std::runtime_error is not of class Exception.\r\n\r\n");
  EXPECT_EQ(FailureReport(std::make_exception_ptr(42)),
            header + "Exception object int is not of class Exception.\r\n\r\n");
}

class ErrorTextWriterTest : public ::testing::Test {
 protected:
  std::vector<std::string> blocks_;
  ErrorTextWriter writer_{[this](const std::string& block) { blocks_.push_back(block); }};
};

TEST_F(ErrorTextWriterTest, HandsOnEachFullBlockAtOnceAndTheRestAtTheEnd) {
  std::string text;
  for (int i = 0; text.size() < 2500; ++i) text += "line " + std::to_string(i) + "\r\n";
  text.resize(2500);
  for (std::size_t at = 0; at < text.size(); at += 7) writer_.Write(text.substr(at, 7));
  ASSERT_EQ(blocks_.size(), 2u);  // before the end, only full blocks
  writer_.Finish();
  ASSERT_EQ(blocks_.size(), 3u);
  EXPECT_EQ(blocks_[0], text.substr(0, 1024));
  EXPECT_EQ(blocks_[1], text.substr(1024, 1024));
  EXPECT_EQ(blocks_[2], text.substr(2048));
}

TEST_F(ErrorTextWriterTest, ExactBlocksLeaveNothingForTheEnd) {
  writer_.Write(std::string(2048, 'x'));
  writer_.Finish();
  EXPECT_EQ(blocks_, (std::vector<std::string>{std::string(1024, 'x'), std::string(1024, 'x')}));
}

TEST_F(ErrorTextWriterTest, NoTextShowsNothing) {
  writer_.Write("");
  writer_.Finish();
  EXPECT_TRUE(blocks_.empty());
}

}  // namespace
}  // namespace platform
