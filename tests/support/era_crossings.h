#pragma once
// Calendar units counted across the change from 1 BC to 1 AD, in the user's
// calendar and zone: one table for every operation that counts them. Years are
// astronomical (0 is 1 BC, -8 is 9 BC, -976 is 977 BC); days before 15 October
// 1582 are Julian. Day counts are Julian day number differences (Swiss
// Ephemeris swe_julday agrees). Every pair has the same clock time at both
// ends, or crosses midnight at 23:00 to 00:30, so elapsed and crossed hours
// agree; the week pair ends on the weekday it starts on, so no first weekday
// changes the count.

#include "platform/core/calendar.h"
#include "platform/core/calendar_component.h"
#include "platform/core/date.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>

namespace testsupport {

struct AstronomicalTime {
    int year, month, day, hour, minute;
};

inline std::ostream& operator<<(std::ostream& out, const AstronomicalTime& t) {
    return out << t.year << '-' << t.month << '-' << t.day << ' ' << t.hour << ':' << t.minute;
}

// The instant of a local clock time in the user's calendar.
inline platform::Date localAstronomical(const AstronomicalTime& t) {
    const bool christian = t.year > 0;
    const auto date = platform::Calendar::current().date({.era = christian ? 1 : 0,
                                                          .year = christian ? t.year : 1 - t.year,
                                                          .month = t.month,
                                                          .day = t.day,
                                                          .hour = t.hour,
                                                          .minute = t.minute});
    EXPECT_TRUE(date.has_value()) << t;
    return date.value_or(platform::Date());
}

struct EraCrossing {
    platform::CalendarComponent unit;
    AstronomicalTime from;
    AstronomicalTime to;
    std::int64_t count;
};

namespace era_crossing {

using C = platform::CalendarComponent;

inline constexpr AstronomicalTime june1BC{0, 6, 10, 12, 0};       // a Thursday
inline constexpr AstronomicalTime june2AD{2, 6, 10, 12, 0};       // 730 days later
inline constexpr AstronomicalTime thursday2AD{2, 6, 8, 12, 0};    // 728 days, 104 weeks later
inline constexpr AstronomicalTime lastHour1BC{0, 12, 31, 23, 0};
inline constexpr AstronomicalTime firstHour1AD{1, 1, 1, 0, 30};
inline constexpr AstronomicalTime newYear9BC{-8, 1, 1, 12, 0};
inline constexpr AstronomicalTime newYear1AD{1, 1, 1, 12, 0};
inline constexpr AstronomicalTime june977BC{-976, 6, 10, 12, 0};
inline constexpr AstronomicalTime june2024{2024, 6, 10, 12, 0};

inline constexpr EraCrossing cases[] = {
    {C::era, june1BC, june2AD, 1},
    {C::year, june1BC, june2AD, 2},
    {C::quarter, june1BC, june2AD, 8},
    {C::month, june1BC, june2AD, 24},
    {C::day, june1BC, june2AD, 730},
    {C::dayOfYear, june1BC, june2AD, 730},
    {C::hour, june1BC, june2AD, 730 * 24},
    {C::minute, june1BC, june2AD, 730 * 1440},
    {C::second, june1BC, june2AD, 730 * 86400},
    {C::weekOfYear, june1BC, thursday2AD, 104},
    {C::weekOfMonth, june1BC, thursday2AD, 104},
    {C::weekday, june1BC, thursday2AD, 104},
    {C::weekdayOrdinal, june1BC, thursday2AD, 104},
    // Ninety minutes across the change of era are one of each calendar unit.
    {C::era, lastHour1BC, firstHour1AD, 1},
    {C::year, lastHour1BC, firstHour1AD, 1},
    {C::month, lastHour1BC, firstHour1AD, 1},
    {C::day, lastHour1BC, firstHour1AD, 1},
    {C::hour, lastHour1BC, firstHour1AD, 1},
    {C::minute, lastHour1BC, firstHour1AD, 90},
    {C::second, lastHour1BC, firstHour1AD, 5400},
    {C::year, newYear9BC, newYear1AD, 9},
    {C::month, newYear9BC, newYear1AD, 108},
    {C::day, newYear9BC, newYear1AD, 3288},
    {C::year, june977BC, june2024, 3000},
    {C::year, june2024, june977BC, -3000},
    {C::month, june977BC, june2024, 36000},
    {C::day, june977BC, june2024, 1095737},
};

} // namespace era_crossing

} // namespace testsupport
