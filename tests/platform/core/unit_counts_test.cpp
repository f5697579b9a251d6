// Units between two instants: elapsed time and calendar boundaries, in 64 bits.

#include "dates_test_support.h"

#include "platform/core/unit_counts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using dates_test::calendarIn;
using dates_test::utc;
using platform::boundariesCrossed;
using platform::Date;
using platform::elapsedUnits;
using C = platform::CalendarComponent;
constexpr auto largestCount = std::numeric_limits<std::int64_t>::max();
constexpr auto smallestCount = std::numeric_limits<std::int64_t>::min();

TEST(ElapsedUnits, TruncateTowardZero) {
    const Date start = utc(2024, 2, 29, 23, 59, 50);
    EXPECT_EQ(elapsedUnits(start, utc(2024, 3, 1, 0, 0, 10), 1), 20);
    EXPECT_EQ(elapsedUnits(start, utc(2024, 3, 1, 0, 0, 10), 60), 0);
    EXPECT_EQ(elapsedUnits(start, start.addingTimeInterval(-5399), 3600), -1);
    EXPECT_EQ(elapsedUnits(start, start.addingTimeInterval(-5399.9), 1), -5399);
    EXPECT_EQ(elapsedUnits(start, start.addingTimeInterval(7199.999), 3600), 1);
}

TEST(ElapsedUnits, SaturateInsteadOfOverflowing) {
    const Date origin;
    EXPECT_EQ(elapsedUnits(origin, Date::fromSecondsSince1970(1e300), 1), largestCount);
    EXPECT_EQ(elapsedUnits(origin, Date::fromSecondsSince1970(-1e300), 60), smallestCount);
    EXPECT_EQ(elapsedUnits(origin, Date::fromSecondsSince1970(INFINITY), 3600), largestCount);
    EXPECT_EQ(elapsedUnits(origin, Date::fromSecondsSince1970(std::nan("")), 1), 0);
    // 2^63 itself is one past the largest count; the double below it converts.
    EXPECT_EQ(elapsedUnits(origin, Date::fromSecondsSince1970(9223372036854775808.0), 1), largestCount);
    EXPECT_EQ(elapsedUnits(origin, Date::fromSecondsSince1970(9223372036854774784.0), 1), 9223372036854774784);
}

TEST(BoundariesCrossed, CountCalendarUnitsNotElapsedTime) {
    const auto utcCalendar = calendarIn("UTC");
    const Date before = utc(2024, 2, 29, 23, 59, 50);
    const Date after = utc(2024, 3, 1, 0, 0, 10);
    EXPECT_EQ(boundariesCrossed(utcCalendar, C::second, before, after), 20);
    EXPECT_EQ(boundariesCrossed(utcCalendar, C::minute, before, after), 1);
    EXPECT_EQ(boundariesCrossed(utcCalendar, C::hour, before, after), 1);
    EXPECT_EQ(boundariesCrossed(utcCalendar, C::day, before, after), 1);
    EXPECT_EQ(boundariesCrossed(utcCalendar, C::month, before, after), 1);
    EXPECT_EQ(boundariesCrossed(utcCalendar, C::year, before, after), 0);
    EXPECT_EQ(boundariesCrossed(utcCalendar, C::day, after, before), -1);
    // The same instants are on one day in Sydney (11 hours ahead).
    EXPECT_EQ(boundariesCrossed(calendarIn("Australia/Sydney"), C::day, before, after), 0);
}

TEST(BoundariesCrossed, SecondsBetweenModernDatesAreCounted) {
    const auto utcCalendar = calendarIn("UTC");
    const Date start = utc(2024, 6, 1, 12);
    EXPECT_EQ(boundariesCrossed(utcCalendar, C::second, start, start.addingTimeInterval(10)), 10);
    EXPECT_EQ(boundariesCrossed(utcCalendar, C::second, utc(1970, 1, 1), utc(2024, 1, 1)), 1704067200);
    // Beyond 32 bits: 2^31 s is about 68 years.
    EXPECT_EQ(boundariesCrossed(utcCalendar, C::second, utc(1900, 1, 1), utc(2100, 1, 1)), 6311433600);
}

TEST(BoundariesCrossed, MinutesAcrossFortyCenturiesDoNotOverflow) {
    // 2000 BC to 2100 AD: more minutes than a 32-bit int holds. The calendar is
    // Julian before 1582, so the expected count is taken from Julian day numbers:
    // 1 January 2000 BC (Julian) is JD 990,924; 1 January 2100 is JD 2,488,070.
    const auto utcCalendar = calendarIn("UTC");
    platform::DateComponents bc = dates_test::ymdhms(2000, 1, 1);
    bc.era = 0;
    const auto start = utcCalendar.date(bc);
    ASSERT_TRUE(start.has_value());
    const std::int64_t days = 2488070 - 990924;
    EXPECT_EQ(boundariesCrossed(utcCalendar, C::minute, *start, utc(2100, 1, 1)), days * 1440);
    EXPECT_EQ(boundariesCrossed(utcCalendar, C::minute, utc(2100, 1, 1), *start), -days * 1440);
    EXPECT_EQ(boundariesCrossed(utcCalendar, C::day, *start, utc(2100, 1, 1)), days);
}

TEST(BoundariesCrossed, InstantsTheCalendarCannotPlaceHaveNoCount) {
    const auto utcCalendar = calendarIn("UTC");
    EXPECT_FALSE(boundariesCrossed(utcCalendar, C::day, utc(2024, 1, 1), Date::fromSecondsSince1970(1e300)));
    EXPECT_FALSE(boundariesCrossed(utcCalendar, C::second, Date::fromSecondsSince1970(std::nan("")), utc(2024, 1, 1)));
    EXPECT_FALSE(boundariesCrossed(utcCalendar, C::nanosecond, utc(2024, 1, 1), utc(2024, 1, 2)));
}

} // namespace
