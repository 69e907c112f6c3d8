// Conversions between the system's file times (UTC) and TDateTime in local time, with the
// summer-time rule of the moment converted rather than of today.
#pragma once

#include <optional>

#include "platform/datetime.h"
#include "platform/windows/windows_api.h"

namespace platform::windows {

TDateTime ToLocalDateTime(const FILETIME& time);
// Nothing when the local time has no system time.
std::optional<FILETIME> FromLocalDateTime(TDateTime local_time);

}  // namespace platform::windows
