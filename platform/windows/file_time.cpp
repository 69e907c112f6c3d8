#include "platform/windows/file_time.h"

namespace platform::windows {

namespace {
// TDateTime of the file times' epoch, 1601-01-01 00:00.
constexpr double kFileTimeEpoch = -109205.0;
}  // namespace

TDateTime ToLocalDateTime(const FILETIME& time) {
  SYSTEMTIME universal;
  SYSTEMTIME local;
  if (!::FileTimeToSystemTime(&time, &universal) ||
      !::SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)) {
    return kFileTimeEpoch;
  }
  return EncodeDate(local.wYear, local.wMonth, local.wDay) +
         EncodeTime(local.wHour, local.wMinute, local.wSecond, local.wMilliseconds);
}

std::optional<FILETIME> FromLocalDateTime(TDateTime local_time) {
  const CalendarDate date = DecodeDate(local_time);
  const TimeOfDay time = DecodeTime(local_time);
  if (date.year < 1601 || date.year > 30827) return std::nullopt;
  SYSTEMTIME local{};
  local.wYear = static_cast<WORD>(date.year);
  local.wMonth = static_cast<WORD>(date.month);
  local.wDay = static_cast<WORD>(date.day);
  local.wHour = static_cast<WORD>(time.hour);
  local.wMinute = static_cast<WORD>(time.minute);
  local.wSecond = static_cast<WORD>(time.second);
  local.wMilliseconds = static_cast<WORD>(time.millisecond);
  SYSTEMTIME universal;
  FILETIME file_time;
  if (!::TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal) ||
      !::SystemTimeToFileTime(&universal, &file_time)) {
    return std::nullopt;
  }
  return file_time;
}

}  // namespace platform::windows
