#include "platform/posix/local_time.h"

namespace platform::posix {

namespace {
constexpr double kSecondsPerDay = 86400.0;
// TDateTime of 1970-01-01 00:00.
constexpr double kUnixEpoch = 25569.0;
}  // namespace

TDateTime ToLocalDateTime(const timespec& time) {
  tm local{};
  if (::localtime_r(&time.tv_sec, &local) == nullptr) return kUnixEpoch;
  const auto local_seconds = static_cast<double>(time.tv_sec + local.tm_gmtoff);
  return kUnixEpoch + (local_seconds + static_cast<double>(time.tv_nsec) / 1e9) / kSecondsPerDay;
}

std::optional<timespec> FromLocalDateTime(TDateTime local_time) {
  const CalendarDate date = DecodeDate(local_time);
  const TimeOfDay time = DecodeTime(local_time);
  tm local{};
  local.tm_year = date.year - 1900;
  local.tm_mon = date.month - 1;
  local.tm_mday = date.day;
  local.tm_hour = time.hour;
  local.tm_min = time.minute;
  local.tm_sec = time.second;
  local.tm_isdst = -1;  // the system decides whether summer time applies
  const std::time_t seconds = ::mktime(&local);
  if (seconds == static_cast<std::time_t>(-1)) return std::nullopt;
  return timespec{seconds, static_cast<long>(time.millisecond) * 1'000'000};
}

}  // namespace platform::posix
