#pragma once
// Whole days on the calendar the program's users see, counted as Julian day
// numbers: the Gregorian calendar from 15 October 1582, the Julian calendar
// before it, with astronomical year numbers (0 is 1 BC, -1 is 2 BC). This is the
// calendar of platform::Calendar::current(); the astronomy code reads UTC fields
// and year boundaries from here without building a calendar object, and the
// Calendar implementation counts its days with the same arithmetic.

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>

namespace astronomy {

// The Julian day number of a civil day is the Julian day of its noon; the day
// itself runs from (number - 0.5) to (number + 0.5).
inline constexpr std::int64_t firstGregorianDayNumber = 2299161;   // 1582-10-15

// The span of days the platform calendars represent (ICU's limits), as Julian days.
inline constexpr double earliestJulianDay = -2130706432.5;
inline constexpr double latestJulianDay = 2130706431.5;

// Quotient and remainder rounded towards the past, as days before an epoch need.
constexpr std::int64_t floorDivide(std::int64_t value, std::int64_t divisor) noexcept {
    const std::int64_t quotient = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}
constexpr std::int64_t floorModulo(std::int64_t value, std::int64_t divisor) noexcept {
    return value - floorDivide(value, divisor) * divisor;
}

// The calendar's era (0 before Christ, 1 anno Domini) and year within it as an
// astronomical year number, and back: 1 BC is year 0, 2 BC is -1. Years of an
// era count from 1, as the calendar gives them.
template <std::integral Year>
constexpr Year astronomicalYear(int era, Year yearOfEra) noexcept {
    return era == 0 ? Year{1} - yearOfEra : yearOfEra;
}
template <std::integral Year>
struct EraAndYear {
    int era;          // 0 or 1
    Year yearOfEra;   // from 1
};
template <std::integral Year>
constexpr EraAndYear<Year> eraAndYearOf(Year astronomicalYear) noexcept {
    if (astronomicalYear <= 0)
        return {0, Year{1} - astronomicalYear};
    return {1, astronomicalYear};
}

struct CivilDate {
    std::int64_t year = 0;   // astronomical numbering
    int month = 1;           // 1 to 12
    int day = 1;             // 1 to 31
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// The day number of 1 January 1970, the day the Unix clock starts.
inline constexpr std::int64_t unixEpochDayNumber = 2440588;

// The day number of an instant's UTC day, from seconds since 1970.
constexpr std::int64_t dayNumberOfUnixSeconds(std::int64_t seconds) noexcept {
    return unixEpochDayNumber + floorDivide(seconds, 86400);
}

CivilDate civilDateOfDayNumber(std::int64_t dayNumber) noexcept;

// The proleptic Gregorian calendar, its rules carried back before 1582 (the
// calendar of zone files' rules and of std::chrono): day numbers and dates.
// A day beyond the month's end (or before its start) runs on into the next
// (previous) month; the month must be 1 to 12.
std::int64_t gregorianDayNumber(std::int64_t year, int month, std::int64_t day) noexcept;
CivilDate gregorianDateOfDayNumber(std::int64_t dayNumber) noexcept;

// The day number of a date of that calendar, counted as ICU's Gregorian calendar
// counts it: by the Gregorian rules from 1582 on and the Julian rules before, and
// by the other calendar's rules where the first places the date on the other
// side of the switch. So the days 5 to 14 October 1582, which the calendar
// skips, are read as Julian dates and run on past the switch. A day beyond the
// month's end (or before its start) runs on into the next (previous) month.
std::int64_t dayNumberOfCivilDate(std::int64_t year, int month, std::int64_t day) noexcept;

// Whether the year has 366 days on that calendar: every fourth year before
// 1582 (0 and -4 among them), the Gregorian rule from 1582 on (1582 itself is
// common; 1600 and 2000 are leap years, 1700 and 1900 are not).
bool isLeapYear(std::int64_t year) noexcept;

// The Gregorian rule alone, for every year (proleptic): divisible by 4 and not
// by 100, or by 400.
constexpr bool isGregorianLeapYear(std::int64_t year) noexcept {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Days in a month (1 to 12) of a common year or of a leap year, on either
// calendar (October 1582 aside, which the switch shortened).
constexpr int daysInMonth(int month, bool leapYear) noexcept {
    constexpr std::array<int, 12> common{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return common[static_cast<std::size_t>(month - 1)] + (month == 2 && leapYear ? 1 : 0);
}

// Julian day of 00:00 UT on 1 January of `year`.
double julianDayOfNewYear(std::int64_t year) noexcept;

} // namespace astronomy
