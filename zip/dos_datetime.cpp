#include "zip/dos_datetime.h"

namespace zip {

namespace {

constexpr int kFirstYear = 1980;
constexpr int kLastYear = kFirstYear + 127;

constexpr DosDateTime kEarliest{(1 << 5) | 1, 0};
constexpr DosDateTime kLatest{((kLastYear - kFirstYear) << 9) | (12 << 5) | 31,
                              (23 << 11) | (59 << 5) | (58 / 2)};

}  // namespace

DosDateTime PackDosDateTime(platform::TDateTime value) {
  const platform::CalendarDate date = platform::DecodeDate(value);
  if (date.year < kFirstYear) return kEarliest;
  if (date.year > kLastYear) return kLatest;
  const platform::TimeOfDay time = platform::DecodeTime(value);
  return {static_cast<std::uint16_t>((date.year - kFirstYear) << 9 | date.month << 5 | date.day),
          static_cast<std::uint16_t>(time.hour << 11 | time.minute << 5 | time.second / 2)};
}

platform::TDateTime UnpackDosDateTime(std::uint16_t date, std::uint16_t time) {
  const platform::TDateTime day =
      platform::EncodeDate(((date >> 9) & 127) + kFirstYear, (date >> 5) & 15, date & 31);
  return day + platform::EncodeTime((time >> 11) & 31, (time >> 5) & 63, (time & 31) * 2, 0);
}

}  // namespace zip
