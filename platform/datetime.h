// TDateTime: days since 1899-12-30 00:00 as a double, the fraction being the time of day.
#pragma once

#include <cstdint>

namespace platform {

using TDateTime = double;

struct CalendarDate {
  int year, month, day;
};

struct TimeOfDay {
  int hour, minute, second, millisecond;
};

// Raise EConvertError "%d-%d-%d is not a valid date specification" (year, month, day) and
// "%d:%d:%d.%d is not a valid time specification" (hour, minute, second, millisecond).
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);

CalendarDate DecodeDate(TDateTime value);
TimeOfDay DecodeTime(TDateTime value);

}  // namespace platform
