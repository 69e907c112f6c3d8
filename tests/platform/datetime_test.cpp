#include "platform/datetime.h"

#include <gtest/gtest.h>

#include "platform/exception.h"

namespace platform {
namespace {

TEST(DateTimeTest, EncodesDaysSinceDecember30th1899) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(EncodeDate(1980, 1, 1), 29221.0);
  EXPECT_EQ(EncodeDate(2000, 2, 29), 36585.0);
  EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
}

TEST(DateTimeTest, DecodeReversesEncodeAcrossTheCalendar) {
  for (int year : {1899, 1900, 1980, 2000, 2024, 2107}) {
    for (int month = 1; month <= 12; ++month) {
      const TDateTime value = EncodeDate(year, month, 28) + EncodeTime(23, 59, 58, 0);
      const CalendarDate date = DecodeDate(value);
      const TimeOfDay time = DecodeTime(value);
      EXPECT_EQ(date.year, year);
      EXPECT_EQ(date.month, month);
      EXPECT_EQ(date.day, 28);
      EXPECT_EQ(time.hour, 23);
      EXPECT_EQ(time.minute, 59);
      EXPECT_EQ(time.second, 58);
      EXPECT_EQ(time.millisecond, 0);
    }
  }
}

TEST(DateTimeTest, ImpossibleValuesRaiseConvertErrors) {
  try {
    EncodeDate(1980, 0, 0);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.ClassName(), "EConvertError");
    EXPECT_EQ(e.Message(), "1980-0-0 is not a valid date specification");
  }
  EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
  try {
    EncodeTime(24, 0, 0, 0);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "24:0:0.0 is not a valid time specification");
  }
}

}  // namespace
}  // namespace platform
