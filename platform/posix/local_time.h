// Conversions between the system's time stamps and TDateTime in local time.
#pragma once

#include <ctime>
#include <optional>

#include "platform/datetime.h"

namespace platform::posix {

TDateTime ToLocalDateTime(const timespec& time);
// Nothing when the local time does not exist as a system time stamp.
std::optional<timespec> FromLocalDateTime(TDateTime local_time);

}  // namespace platform::posix
