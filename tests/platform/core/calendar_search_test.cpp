// Calendar::nextDate: season starts and other matches, in several zones.

#include "dates_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using dates_test::calendarIn;
using dates_test::utc;
using dates_test::ymdhms;
using platform::CalendarComponent;
using platform::Date;
using platform::DateComponents;
using platform::MatchingPolicy;
using platform::RepeatedTimePolicy;
using platform::SearchDirection;

DateComponents day(std::optional<int> year, int month, int dayOfMonth) {
    return {.year = year, .month = month, .day = dayOfMonth};
}

// The season start as the festival engine looks for it: from local midnight of
// 1 January, the next local start of the given day of that year.
std::optional<Date> seasonStart(const platform::Calendar& calendar, int year, int month, int dayOfMonth) {
    DateComponents first;
    first.year = year;
    first.month = 1;
    first.day = 1;
    auto januaryFirst = calendar.date(first);
    if (!januaryFirst) return std::nullopt;
    return calendar.nextDate(*januaryFirst, day(year, month, dayOfMonth), MatchingPolicy::nextTime,
                             RepeatedTimePolicy::first, SearchDirection::forward);
}

TEST(SeasonStarts, LocalMidnightInEveryZone) {
    const int starts[4][2] = {{3, 20}, {6, 21}, {9, 22}, {12, 21}};
    for (const char* zone : {"UTC", "Europe/London", "America/New_York", "Australia/Sydney", "Pacific/Kiritimati",
                             "America/Havana", "Asia/Kolkata"}) {
        const auto calendar = calendarIn(zone);
        for (int year : {1900, 2011, 2024, 2026, 2100}) {
            for (const auto& start : starts) {
                auto found = seasonStart(calendar, year, start[0], start[1]);
                ASSERT_TRUE(found) << zone << " " << year;
                EXPECT_EQ(found, calendar.date(day(year, start[0], start[1]))) << zone << " " << year;
                EXPECT_EQ(calendar.startOfDay(*found), *found) << zone << " " << year;
            }
        }
    }
}

TEST(SeasonStarts, SkippedMidnightGivesTheFirstMomentOfTheDay) {
    // Cuba began summer time at midnight on 20 March 2011: the day began at 01:00 CDT.
    EXPECT_EQ(seasonStart(calendarIn("America/Havana"), 2011, 3, 20), utc(2011, 3, 20, 5));
    // Israel did the same on 20 March 1998 (clocks from 00:00 to 01:00 IDT).
    EXPECT_EQ(seasonStart(calendarIn("Asia/Jerusalem"), 1998, 3, 20), utc(1998, 3, 19, 22));
    // Any day with a skipped midnight: Havana, 8 March 2026.
    const auto havana = calendarIn("America/Havana");
    EXPECT_EQ(havana.nextDate(utc(2026, 1, 1, 5), day(2026, 3, 8), MatchingPolicy::nextTime), utc(2026, 3, 8, 5));
}

TEST(NextDate, IsStrictlyAfterTheStart) {
    const auto london = calendarIn("Europe/London");
    const Date midnight = *london.date(ymdhms(2026, 3, 20));
    EXPECT_EQ(london.nextDate(midnight.addingTimeInterval(-1), day(2026, 3, 20), MatchingPolicy::nextTime),
              midnight);
    EXPECT_FALSE(london.nextDate(midnight, day(2026, 3, 20), MatchingPolicy::nextTime));
    // Without a year, the next year's day follows.
    EXPECT_EQ(london.nextDate(midnight, day(std::nullopt, 3, 20), MatchingPolicy::nextTime),
              london.date(ymdhms(2027, 3, 20)));
}

TEST(NextDate, NoMatchOrNonsenseEndsWithNothing) {
    const auto calendar = calendarIn("Europe/London");
    const Date start = utc(2026, 1, 1);
    EXPECT_FALSE(calendar.nextDate(start, day(2025, 3, 20), MatchingPolicy::nextTime));
    EXPECT_FALSE(calendar.nextDate(start, day(2026, 2, 30), MatchingPolicy::nextTime));
    EXPECT_FALSE(calendar.nextDate(start, day(2026, 13, 1), MatchingPolicy::nextTime));
    EXPECT_FALSE(calendar.nextDate(start, day(2027, 2, 29), MatchingPolicy::nextTime));
    DateComponents hour;
    hour.hour = 24;
    EXPECT_FALSE(calendar.nextDate(start, hour, MatchingPolicy::nextTime));
    DateComponents impossible;   // a 31st is never in the first week of its month
    impossible.day = 31;
    impossible.weekdayOrdinal = 1;
    EXPECT_FALSE(calendar.nextDate(start, impossible, MatchingPolicy::nextTime));
    EXPECT_FALSE(calendar.nextDate(Date::fromSecondsSince1970(std::nan("")), day(2026, 3, 20),
                                   MatchingPolicy::nextTime));
    // A leap day without a year is found in the next leap year.
    EXPECT_EQ(calendar.nextDate(start, day(std::nullopt, 2, 29), MatchingPolicy::nextTime),
              calendar.date(ymdhms(2028, 2, 29)));
}

TEST(NextDate, WeekdaysAndTimesOfDay) {
    const auto calendar = calendarIn("America/New_York");
    const Date start = *calendar.date(ymdhms(2026, 3, 4, 10, 15));   // a Wednesday
    DateComponents sunday;
    sunday.weekday = 1;
    EXPECT_EQ(calendar.nextDate(start, sunday, MatchingPolicy::nextTime), calendar.date(ymdhms(2026, 3, 8)));
    DateComponents nineThirty;
    nineThirty.hour = 9;
    nineThirty.minute = 30;
    EXPECT_EQ(calendar.nextDate(start, nineThirty, MatchingPolicy::nextTime),
              calendar.date(ymdhms(2026, 3, 5, 9, 30)));
    DateComponents halfPast;
    halfPast.minute = 30;
    EXPECT_EQ(calendar.nextDate(start, halfPast, MatchingPolicy::nextTime), calendar.date(ymdhms(2026, 3, 4, 10, 30)));
    EXPECT_EQ(calendar.nextDate(start, halfPast, MatchingPolicy::nextTime, RepeatedTimePolicy::first,
                                SearchDirection::backward),
              calendar.date(ymdhms(2026, 3, 4, 9, 30)));
    DateComponents friday13;
    friday13.weekday = 6;
    friday13.day = 13;
    EXPECT_EQ(calendar.nextDate(start, friday13, MatchingPolicy::nextTime), calendar.date(ymdhms(2026, 3, 13)));
    EXPECT_EQ(calendar.nextDate(start, friday13, MatchingPolicy::nextTime, RepeatedTimePolicy::first,
                                SearchDirection::backward),
              calendar.date(ymdhms(2026, 2, 13)));
}

TEST(NextDate, SkippedAndRepeatedTimesFollowThePolicies) {
    const auto calendar = calendarIn("America/New_York");
    const Date start = utc(2026, 3, 1);
    DateComponents twoThirty = ymdhms(2026, 3, 8, 2, 30);
    // 02:30 does not exist on 8 March 2026.
    EXPECT_EQ(calendar.nextDate(start, twoThirty, MatchingPolicy::nextTime), utc(2026, 3, 8, 7));   // 03:00 EDT
    EXPECT_EQ(calendar.nextDate(start, twoThirty, MatchingPolicy::nextTimePreservingSmallerComponents),
              utc(2026, 3, 8, 7, 30));   // 03:30 EDT
    EXPECT_EQ(calendar.nextDate(start, twoThirty, MatchingPolicy::previousTimePreservingSmallerComponents),
              utc(2026, 3, 8, 6, 30));   // 01:30 EST
    EXPECT_FALSE(calendar.nextDate(start, twoThirty, MatchingPolicy::strict));

    DateComponents oneThirty = ymdhms(2026, 11, 1, 1, 30);   // happens twice
    EXPECT_EQ(calendar.nextDate(start, oneThirty, MatchingPolicy::nextTime, RepeatedTimePolicy::first),
              utc(2026, 11, 1, 5, 30));
    EXPECT_EQ(calendar.nextDate(start, oneThirty, MatchingPolicy::nextTime, RepeatedTimePolicy::last),
              utc(2026, 11, 1, 6, 30));
}

// The calendar skips 5 to 14 October 1582: a day of the month in that gap is
// absent from October 1582, as 30 February is from every February, and is found
// in the month before or after it, never as one of the days after the gap.
TEST(NextDate, DaysTheReformSkippedAreFoundInTheNeighbouringMonths) {
    constexpr MatchingPolicy everyPolicy[] = {MatchingPolicy::nextTime,
                                               MatchingPolicy::nextTimePreservingSmallerComponents,
                                               MatchingPolicy::previousTimePreservingSmallerComponents,
                                               MatchingPolicy::strict};
    const auto calendar = calendarIn("UTC");
    // Julian dates before the reform: 6 September 1582 (Julian) is 16 September
    // proleptic Gregorian; November 1582 is Gregorian.
    auto dayOfMonth = [](int value) {
        DateComponents c;
        c.day = value;
        return c;
    };
    struct Case {
        Date start;
        int day;
        SearchDirection direction;
        Date expected;
    };
    const Date october20 = utc(1582, 10, 20, 12);
    const Date october25 = utc(1582, 10, 25, 12);
    const Date october1 = utc(1582, 10, 11, 12);   // 1 October (Julian)
    const Case cases[] = {
        {october20, 6, SearchDirection::backward, utc(1582, 9, 16)},    // 6 September
        {october20, 14, SearchDirection::backward, utc(1582, 9, 24)},   // 14 September
        {october25, 10, SearchDirection::backward, utc(1582, 9, 20)},   // 10 September
        {october20, 4, SearchDirection::backward, utc(1582, 10, 14)},   // 4 October, the last Julian day
        {october20, 15, SearchDirection::backward, utc(1582, 10, 15)},
        {october1, 6, SearchDirection::forward, utc(1582, 11, 6)},
        {october1, 14, SearchDirection::forward, utc(1582, 11, 14)},
        {october1, 4, SearchDirection::forward, utc(1582, 10, 14)},     // 4 October
        {october1, 15, SearchDirection::forward, utc(1582, 10, 15)},
        {utc(1582, 10, 14, 12), 5, SearchDirection::forward, utc(1582, 11, 5)},
        {utc(1582, 10, 15, 12), 14, SearchDirection::backward, utc(1582, 9, 24)},
    };
    for (MatchingPolicy policy : everyPolicy) {
        for (const Case& c : cases) {
            EXPECT_EQ(calendar.nextDate(c.start, dayOfMonth(c.day), policy, RepeatedTimePolicy::first, c.direction),
                      c.expected)
                << "day " << c.day << " from " << c.start.secondsSince1970() << " policy "
                << static_cast<int>(policy) << (c.direction == SearchDirection::forward ? " forward" : " backward");
        }
    }

    // With the month named, the skipped days are nowhere in October 1582: the
    // search goes on to October 1581 or 1583, or ends where the year is named.
    for (MatchingPolicy policy : everyPolicy) {
        EXPECT_EQ(calendar.nextDate(october1, day(std::nullopt, 10, 10), policy), utc(1583, 10, 10));
        EXPECT_EQ(calendar.nextDate(october20, day(std::nullopt, 10, 10), policy, RepeatedTimePolicy::first,
                                    SearchDirection::backward),
                  utc(1581, 10, 20));   // 10 October 1581 (Julian)
        EXPECT_FALSE(calendar.nextDate(october1, day(1582, 10, 10), policy));
        EXPECT_FALSE(calendar.nextDate(october20, day(1582, 10, 10), policy, RepeatedTimePolicy::first,
                                       SearchDirection::backward));
    }

    // In a zone of its own the day is local: the start of 6 September there.
    const auto sydney = calendarIn("Australia/Sydney");
    EXPECT_EQ(sydney.nextDate(october20, dayOfMonth(6), MatchingPolicy::strict, RepeatedTimePolicy::first,
                              SearchDirection::backward),
              sydney.date(ymdhms(1582, 9, 6)));
    EXPECT_EQ(sydney.nextDate(october1, dayOfMonth(6), MatchingPolicy::strict), sydney.date(ymdhms(1582, 11, 6)));
}

} // namespace
