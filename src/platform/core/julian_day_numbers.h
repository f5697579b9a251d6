#pragma once
// Whole days on the calendar the program's users see, counted as Julian day
// numbers: the Gregorian calendar from 15 October 1582, the Julian calendar
// before it, with astronomical year numbers (0 is 1 BC, -1 is 2 BC). This is the
// calendar of platform::Calendar::current(); the astronomy code reads UTC fields
// and year boundaries from here without building a calendar object.
//
// Private to the astronomy stand-in (julian_day.cpp, earth.cpp, solar_events.cpp).

#include <cstdint>

namespace astronomy {

// The Julian day number of a civil day is the Julian day of its noon; the day
// itself runs from (number - 0.5) to (number + 0.5).
inline constexpr std::int64_t firstGregorianDayNumber = 2299161;   // 1582-10-15

// The span of days the platform calendars represent (ICU's limits), as Julian days.
inline constexpr double earliestJulianDay = -2130706432.5;
inline constexpr double latestJulianDay = 2130706431.5;

struct CivilDate {
    std::int64_t year = 0;   // astronomical numbering
    int month = 1;           // 1 to 12
    int day = 1;             // 1 to 31
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

CivilDate civilDateOfDayNumber(std::int64_t dayNumber) noexcept;

// The day number of a date of that calendar. The days 5 to 14 October 1582,
// which the calendar skips, are read as Julian dates and so run on past the switch.
std::int64_t dayNumberOfCivilDate(std::int64_t year, int month, int day) noexcept;

// Julian day of 00:00 UT on 1 January of `year`.
double julianDayOfNewYear(std::int64_t year) noexcept;

} // namespace astronomy
