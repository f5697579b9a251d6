#pragma once
// Private helpers of the Calendar implementation: local wall times read from and
// resolved by a leased ICU Gregorian calendar. Not for use outside
// src/platform/core.
//
// Days are handled as Julian day numbers (ICU's JULIAN_DAY field: the local
// calendar day, 2440588 = 1 January 1970), which count straight through the
// 1582 switch from the Julian to the Gregorian calendar.

#include "platform/core/date.h"
#include "platform/core/internal/icu_support.h"
#include "platform/core/julian_day_numbers.h"

#include <unicode/gregocal.h>

#include <cstdint>
#include <optional>

namespace platform::calendar_fields {

inline constexpr std::int32_t julianDayOf1970 = astronomy::unixEpochDayNumber;
// 1 January of 1 AD (Julian calendar) is Julian day 1721424, day 1 of the era.
inline constexpr std::int32_t julianDayBeforeEra = 1721423;
inline constexpr double millisPerDay = 86400000.0;

// The local fields of an instant in the calendar's zone.
struct LocalTime {
    std::int32_t julianDay = 0;
    std::int32_t era = 1;            // 0 before Christ, 1 anno Domini
    std::int32_t year = 1;           // within the era
    std::int32_t extendedYear = 1;   // 0 is 1 BC, -1 is 2 BC
    std::int32_t month0 = 0;         // 0 to 11, as ICU counts
    std::int32_t day = 1;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;
    double millisecond = 0.0;        // with the instant's fraction of a millisecond
    std::int32_t weekday = 1;        // 1 = Sunday
};

std::optional<LocalTime> localTime(icu::GregorianCalendar& calendar, Date date);

// The instant of a wall time on a local calendar day. A wall time that a clock
// change skips is resolved by `skipped` (see icu_support.h); a repeated one
// follows the calendar's own option.
std::optional<Date> instantOfWallTime(icu::GregorianCalendar& calendar, std::int32_t julianDay,
                                      std::int32_t hour, std::int32_t minute, std::int32_t second,
                                      double millisecond,
                                      UCalendarWallTimeOption skipped = icu_support::skippedMovesForward);

// The first existing moment of a local calendar day.
std::optional<Date> startOfJulianDay(icu::GregorianCalendar& calendar, std::int32_t julianDay);

// The Julian day number of a calendar date, computed as ICU's Gregorian calendar
// computes it (Julian rules before 15 October 1582); out-of-range days and months
// run on. Pure arithmetic, so no zone can skip the day.
std::int64_t julianDayOf(std::int64_t extendedYear, std::int64_t month0, std::int64_t day) noexcept;

// Lengths as ICU's Gregorian calendar counts them: Julian leap years before 1582,
// 355 days in 1582 and 31 day numbers in October 1582.
std::int32_t monthLength(std::int64_t extendedYear, std::int32_t month0) noexcept;
std::int32_t yearLength(std::int64_t extendedYear) noexcept;

using astronomy::isLeapYear;
using astronomy::floorDivide;
using astronomy::floorModulo;

} // namespace platform::calendar_fields
