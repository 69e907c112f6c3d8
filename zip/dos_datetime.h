// The two 16-bit DOS words in which zip records carry a modification date and time.
#pragma once

#include <cstdint>

#include "platform/datetime.h"

namespace zip {

struct DosDateTime {
  std::uint16_t date = 0;  // day in bits 0-4, month in 5-8, year - 1980 in 9-15
  std::uint16_t time = 0;  // seconds / 2 in bits 0-4, minutes in 5-10, hours in 11-15
};

// Moments before 1980-01-01 pack as 1980-01-01 00:00:00 and moments after
// 2107-12-31 23:59:58 as that moment: the year field cannot hold them, and letting the year
// wrap would date a file in the wrong century. Seconds are rounded down to even.
DosDateTime PackDosDateTime(platform::TDateTime value);

// Raises EConvertError for an impossible date, then for an impossible time.
platform::TDateTime UnpackDosDateTime(std::uint16_t date, std::uint16_t time);

}  // namespace zip
