#pragma once
// Instants as Julian days on the universal time scale: every library call of the
// layer takes its Julian day from here. No Delta T is applied.

#include "platform/core/date.h"

#include <optional>

namespace ephemeris {

// 2440587.5 + seconds since 1970 / 86400.
double julianDate(platform::Date date) noexcept;

// The instant of a Julian day.
platform::Date dateFromJulianDate(double julianDate) noexcept;

// The Julian day of the instant's local calendar date and whole hour (minutes and
// seconds dropped) in the user's current calendar and time zone, the local fields
// read by the library as if they were universal time: as Julian-calendar fields
// before 15 October 1582, with the era before Christ counted as years 0, -1, ...
// Absent when the calendar gives no such fields (beyond its range).
std::optional<double> julianCalendarDate(platform::Date date);

} // namespace ephemeris
