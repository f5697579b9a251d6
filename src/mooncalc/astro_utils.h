#pragma once
// Calendar and angle conversions of the eclipse search. Pure functions, except
// that dayToYear reads the user's current calendar and time zone at each call.

#include "platform/core/date.h"

#include <cstdint>
#include <optional>

namespace mooncalc::astro_utils {

// Every fourth year before 1582 (1500, 1100 and -4 among them), the Gregorian
// rule from 1582 on: 1582 and 1900 are common years, 1600 and 2000 leap years.
bool isLeap(std::int64_t year) noexcept;

// The ordinal day of the year, 1 for 1 January: (275 month) / 9 - K ((month + 9)
// / 12) + day - 30 with truncating division and K = 1 in a leap year, else 2.
// The arguments are not checked: a month or day outside its range gives the
// formula's value (month 13 of a common year runs on to 396 - 30 + day).
std::int64_t dayOfYear(std::int64_t year, int month, int day) noexcept;

// The decimal year of the instant's calendar day in the user's current calendar
// and zone: year + dayOfYear / 365.2425, whatever the time of day, with
// astronomical year numbers (0 is 1 BC, -1 is 2 BC). So 1 January
// of Y gives Y + 1/365.2425 and 31 December of a leap year more than Y + 1.
// Absent for an instant the calendar gives no day for (not finite, or beyond
// its range of some 950,000 years).
std::optional<double> dayToYear(platform::Date date);

// Julian days as a plain count of days, no calendar and no time scale:
// 2440587.5 is 1970-01-01 00:00:00 UTC. Non-finite values pass through.
double jdFromDate(platform::Date date) noexcept;
platform::Date gregorianDateFrom(double julianTime) noexcept;

// The angle in degrees reduced to one turn by the truncating remainder, plus a
// turn when the angle is negative: [0, 360) for angles from 0 up, (0, 360] for
// negative ones (-360 gives 360). NaN stays NaN; an infinite angle gives NaN.
double to360(double degrees) noexcept;

// (degrees x pi) / 180, the product taken first.
double toRadians(double degrees) noexcept;

} // namespace mooncalc::astro_utils
