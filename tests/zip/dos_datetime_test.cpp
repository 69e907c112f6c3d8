#include "zip/dos_datetime.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/datetime.h"
#include "platform/exception.h"

namespace zip {
namespace {

using platform::EncodeDate;
using platform::EncodeTime;
using platform::TDateTime;

struct PackCase {
  const char* name;
  TDateTime value;
  std::uint16_t date;
  std::uint16_t time;
  TDateTime unpacked;  // what the two words give back
};

TDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
             int millisecond = 0) {
  return EncodeDate(year, month, day) + EncodeTime(hour, minute, second, millisecond);
}

class PackDosDateTimeTest : public testing::TestWithParam<PackCase> {};

TEST_P(PackDosDateTimeTest, PacksAndUnpacks) {
  const PackCase& c = GetParam();
  const DosDateTime packed = PackDosDateTime(c.value);
  EXPECT_EQ(packed.date, c.date);
  EXPECT_EQ(packed.time, c.time);
  EXPECT_DOUBLE_EQ(UnpackDosDateTime(packed.date, packed.time), c.unpacked);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PackDosDateTimeTest,
    testing::Values(
        // Milliseconds and the odd second are dropped.
        PackCase{"Ordinary", At(2015, 7, 11, 13, 45, 31, 600), 0x46EB, 0x6DAF,
                 At(2015, 7, 11, 13, 45, 30)},
        PackCase{"LastSecondOfDay", At(2015, 7, 11, 23, 59, 59), 0x46EB, 0xBF7D,
                 At(2015, 7, 11, 23, 59, 58)},
        PackCase{"FirstMoment", At(1980, 1, 1), 0x0021, 0x0000, At(1980, 1, 1)},
        PackCase{"LastMoment", At(2107, 12, 31, 23, 59, 58), 0xFF9F, 0xBF7D,
                 At(2107, 12, 31, 23, 59, 58)},
        PackCase{"LeapDay", At(2000, 2, 29, 12, 0, 2), 0x285D, 0x6001, At(2000, 2, 29, 12, 0, 2)},
        // A date never set is 1899-12-30: clamped, not wrapped to 2027-12-30.
        PackCase{"Zero", 0.0, 0x0021, 0x0000, At(1980, 1, 1)},
        PackCase{"Before1980", At(1979, 12, 31, 23, 59, 59), 0x0021, 0x0000, At(1980, 1, 1)},
        PackCase{"Negative", -1000.25, 0x0021, 0x0000, At(1980, 1, 1)},
        PackCase{"LastSecondOf2107", At(2107, 12, 31, 23, 59, 59, 999), 0xFF9F, 0xBF7D,
                 At(2107, 12, 31, 23, 59, 58)},
        PackCase{"After2107", At(2108, 1, 1), 0xFF9F, 0xBF7D, At(2107, 12, 31, 23, 59, 58)},
        PackCase{"FarFuture", At(9999, 12, 31, 23, 59, 59), 0xFF9F, 0xBF7D,
                 At(2107, 12, 31, 23, 59, 58)}),
    [](const testing::TestParamInfo<PackCase>& test) { return std::string(test.param.name); });

struct UnpackErrorCase {
  const char* name;
  std::uint16_t date;
  std::uint16_t time;
  const char* message;
};

class UnpackDosDateTimeErrorTest : public testing::TestWithParam<UnpackErrorCase> {};

TEST_P(UnpackDosDateTimeErrorTest, RaisesConvertError) {
  const UnpackErrorCase& c = GetParam();
  try {
    UnpackDosDateTime(c.date, c.time);
    FAIL() << "no failure";
  } catch (const platform::EConvertError& e) {
    EXPECT_EQ(e.ClassName(), "EConvertError");
    EXPECT_EQ(e.Message(), c.message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnpackDosDateTimeErrorTest,
    testing::Values(
        UnpackErrorCase{"DateZero", 0x0000, 0x0000, "1980-0-0 is not a valid date specification"},
        UnpackErrorCase{"Hour24", 0x0021, 0xC000, "24:0:0.0 is not a valid time specification"},
        // The date is checked first.
        UnpackErrorCase{"DateBeforeTime", 0x0000, 0xC000,
                        "1980-0-0 is not a valid date specification"},
        UnpackErrorCase{"February30", 0x005E, 0x0000,
                        "1980-2-30 is not a valid date specification"},
        UnpackErrorCase{"Month13", 0x01A1, 0x0000, "1980-13-1 is not a valid date specification"},
        UnpackErrorCase{"Minute60", 0x0021, 0x0780, "0:60:0.0 is not a valid time specification"},
        UnpackErrorCase{"Second60", 0x0021, 0x001E, "0:0:60.0 is not a valid time specification"}),
    [](const testing::TestParamInfo<UnpackErrorCase>& test) {
      return std::string(test.param.name);
    });

}  // namespace
}  // namespace zip
