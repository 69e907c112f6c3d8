#include "platform/datetime.h"

#include <cmath>
#include <cstdint>

#include "platform/exception.h"

namespace platform {

namespace {

constexpr std::int64_t kMillisecondsPerDay = 24LL * 60 * 60 * 1000;
// Days from 1970-01-01 back to the TDateTime epoch, 1899-12-30.
constexpr std::int64_t kUnixEpochOffset = 25569;

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Proleptic Gregorian calendar, days counted from 1970-01-01 (H. Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

CalendarDate CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

struct Split {
  std::int64_t days;          // whole days, rounded down
  std::int64_t milliseconds;  // time of day
};

// Rounded to the millisecond first, so that a time a hair short of midnight is midnight.
Split SplitDateTime(TDateTime value) {
  const auto total = static_cast<std::int64_t>(std::llround(value * kMillisecondsPerDay));
  std::int64_t days = total / kMillisecondsPerDay;
  std::int64_t ms = total % kMillisecondsPerDay;
  if (ms < 0) {
    ms += kMillisecondsPerDay;
    --days;
  }
  return {days, ms};
}

}  // namespace

TDateTime EncodeDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month)) {
    throw EConvertError(Format("%d-%d-%d is not a valid date specification", year, month, day));
  }
  return static_cast<TDateTime>(
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
      kUnixEpochOffset);
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      millisecond < 0 || millisecond > 999) {
    throw EConvertError(
        Format("%d:%d:%d.%d is not a valid time specification", hour, minute, second, millisecond));
  }
  const std::int64_t ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
  return static_cast<TDateTime>(ms) / static_cast<TDateTime>(kMillisecondsPerDay);
}

CalendarDate DecodeDate(TDateTime value) {
  return CivilFromDays(SplitDateTime(value).days - kUnixEpochOffset);
}

TimeOfDay DecodeTime(TDateTime value) {
  const std::int64_t ms = SplitDateTime(value).milliseconds;
  return {static_cast<int>(ms / 3600000), static_cast<int>(ms / 60000 % 60),
          static_cast<int>(ms / 1000 % 60), static_cast<int>(ms % 1000)};
}

}  // namespace platform
