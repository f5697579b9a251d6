#pragma once
// The mean-motion model of the Moon that the age and sign calculators share:
// the Julian day number of an instant's calendar date in the user's current
// calendar and zone (the time of day plays no part), and the fractional part.

#include "platform/core/date.h"

#include <cmath>
#include <cstdint>
#include <optional>

namespace mooncalc::detail {

// 2451545 for 2000-01-01, 2299161 for 1582-10-15, 2299160 for 1582-10-04
// (Julian). Absent for an instant the calendar cannot place.
std::optional<std::int64_t> localDayNumber(platform::Date date);

// x - floor(x), in [0, 1).
inline double normalized(double x) noexcept { return x - std::floor(x); }

// Mean synodic month, and the Julian day of a mean new moon near J2000
// (2000-01-06 14:24 UT).
inline constexpr double synodicMonth = 29.530588853;
inline constexpr double newMoonEpoch = 2451550.1;

} // namespace mooncalc::detail
