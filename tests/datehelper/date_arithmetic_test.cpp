// The UTC day of an instant and calendar steps, run in every test zone: the
// UTC day must not follow the device's zone, and steps must keep the wall clock
// of the zone they are taken in.

#include "datehelper/date_arithmetic.h"
#include "toolkit_test_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using namespace datehelper;
using datehelper_test::DeviceZone;
using datehelper_test::fixedZone;
using datehelper_test::local;
using datehelper_test::utc;
using datehelper_test::zone;
using platform::Date;

TEST(UtcDay, IgnoresTheDeviceZone) {
    // 22:30 on 11 March 2024 five hours west of GMT is 03:30 UTC on the 12th.
    DeviceZone west(fixedZone(-5 * 3600));
    const Date evening = local(2024, 3, 11, 22, 30);
    ASSERT_EQ(evening, utc(2024, 3, 12, 3, 30));
    EXPECT_EQ(startOfDay(evening), utc(2024, 3, 12));
    EXPECT_EQ(endOfDay(evening), utc(2024, 3, 12, 23, 59, 59));
}

TEST(UtcDay, EndIsAlways86399SecondsAfterStart) {
    // Before 1970, before the 1582 switch, on leap days, and with fractions.
    for (const Date date : {utc(2024, 2, 29, 12), utc(1969, 12, 31, 23, 59, 59.75), utc(1582, 10, 4, 6),
                            utc(1582, 10, 15, 0), utc(-500, 3, 1, 1), utc(2100, 12, 31, 23, 59, 59.999)}) {
        const Date start = startOfDay(date);
        EXPECT_LE(start, date);
        EXPECT_GT(start.addingTimeInterval(86400), date);
        EXPECT_EQ(std::fmod(start.secondsSince1970(), 86400.0), 0.0) << date.secondsSince1970();
        ASSERT_TRUE(endOfDay(date).has_value());
        EXPECT_EQ(endOfDay(date)->timeIntervalSince(start), 86399.0);   // exact
    }
    EXPECT_EQ(startOfDay(utc(2024, 3, 12)), utc(2024, 3, 12));
}

TEST(UtcDay, InstantsBeyondTheCalendarHaveNoEnd) {
    const Date nowhere = Date::fromSecondsSince1970(std::nan(""));
    EXPECT_TRUE(std::isnan(startOfDay(nowhere).secondsSince1970()));
    EXPECT_FALSE(endOfDay(nowhere).has_value());
    EXPECT_FALSE(endOfDay(Date::fromSecondsSince1970(1e300)).has_value());
    EXPECT_FALSE(endOfDay(Date::fromSecondsSince1970(-INFINITY)).has_value());
}

TEST(Adjust, OneSecondBeforeTheUtcDayIsTheDayBefore) {
    const Date start = startOfDay(utc(2024, 3, 12, 15));
    EXPECT_EQ(adjust(start, DateComponentType::second, -1), utc(2024, 3, 11, 23, 59, 59));
}

TEST(Adjust, TimeUnitsAreElapsedTime) {
    const Date date = utc(2024, 3, 10, 6, 30);   // 01:30 in New York, before its clocks go forward
    EXPECT_EQ(adjust(date, DateComponentType::hour, 1, zone("America/New_York")), utc(2024, 3, 10, 7, 30));
    EXPECT_EQ(adjust(date, DateComponentType::minute, -90), utc(2024, 3, 10, 5));
    EXPECT_EQ(adjust(date, DateComponentType::second, 86400), utc(2024, 3, 11, 6, 30));
}

TEST(Adjust, DaysKeepTheWallClockAcrossBothClockChanges) {
    struct Case {
        const char* zone;
        Date before;       // noon on the day before a change, in that zone
        double hours;      // length of the day that follows
    };
    const Case cases[] = {
        {"America/New_York", utc(2024, 3, 9, 17), 23},    // clocks forward 10 March
        {"America/New_York", utc(2024, 11, 2, 16), 25},   // clocks back 3 November
        {"Australia/Sydney", utc(2024, 4, 6, 1), 25},     // clocks back 7 April
        {"Australia/Sydney", utc(2024, 10, 5, 2), 23},    // clocks forward 6 October
    };
    for (const Case& c : cases) {
        const platform::TimeZone tz = zone(c.zone);
        const Date next = adjust(c.before, DateComponentType::day, 1, tz);
        EXPECT_EQ(next.timeIntervalSince(c.before), c.hours * 3600) << c.zone;
        EXPECT_EQ(adjust(next, DateComponentType::day, -1, tz), c.before) << c.zone;
        // A week, a weekday and an n-th weekday step over the change the same way.
        EXPECT_EQ(adjust(c.before, DateComponentType::weekday, 1, tz), next) << c.zone;
        const Date week = adjust(c.before, DateComponentType::week, 1, tz);
        EXPECT_EQ(week.timeIntervalSince(c.before), (6 * 24 + c.hours) * 3600) << c.zone;
        EXPECT_EQ(adjust(c.before, DateComponentType::nthWeekday, 1, tz), week) << c.zone;
    }
}

TEST(Adjust, MonthsAndYearsEndOnTheLastDayOfShortMonths) {
    const platform::TimeZone london = zone("Europe/London");
    // 10:00 GMT on 31 January; 29 February is still GMT, 31 March is summer time.
    const Date january = utc(2024, 1, 31, 10);
    EXPECT_EQ(adjust(january, DateComponentType::month, 1, london), utc(2024, 2, 29, 10));
    EXPECT_EQ(adjust(january, DateComponentType::month, 2, london), utc(2024, 3, 31, 9));
    EXPECT_EQ(adjust(utc(2024, 2, 29, 10), DateComponentType::year, 1, london), utc(2025, 2, 28, 10));
    EXPECT_EQ(adjust(utc(2024, 2, 29, 10), DateComponentType::year, -4, london), utc(2020, 2, 29, 10));
    EXPECT_EQ(adjust(utc(2023, 12, 31, 23), DateComponentType::month, 14, platform::TimeZone::utc()),
              utc(2025, 2, 28, 23));
}

TEST(Adjust, DefaultsToTheDeviceZone) {
    const Date date = local(2024, 3, 30, 12);
    EXPECT_EQ(adjust(date, DateComponentType::day, 2), local(2024, 4, 1, 12));
    EXPECT_EQ(adjust(date, DateComponentType::day, 2), adjust(date, DateComponentType::day, 2,
                                                              platform::TimeZone::current()));
    EXPECT_EQ(adjust(date, DateComponentType::month, -1), local(2024, 2, 29, 12));
}

TEST(Adjust, SumsBeyondTheCalendarLeaveTheDate) {
    const Date date = utc(2024, 5, 15, 9, 30);
    EXPECT_EQ(adjust(date, DateComponentType::year, INT_MAX), date);
    EXPECT_EQ(adjust(date, DateComponentType::week, INT_MIN), date);
    EXPECT_EQ(adjust(date, DateComponentType::day, INT_MAX), date);
    EXPECT_EQ(adjust(date, DateComponentType::second, 0), date);
    const Date nowhere = Date::fromSecondsSince1970(INFINITY);
    EXPECT_EQ(adjust(nowhere, DateComponentType::day, 1), nowhere);
    // The largest second steps still land inside the calendar.
    EXPECT_EQ(adjust(date, DateComponentType::second, INT_MAX).timeIntervalSince(date), INT_MAX);
}

TEST(Calendar, CountsWeeksFromSundayWhateverTheLocale) {
    platform::Locale::setCurrentOverride(platform::Locale::withIdentifier("en_GB"));   // Monday first
    const platform::Calendar utcCalendar = calendar(platform::TimeZone::utc());
    // Saturday 4 and Sunday 5 May 2024 lie in different Sunday-first weeks.
    EXPECT_EQ(utcCalendar.component(platform::CalendarComponent::weekOfYear, utc(2024, 5, 4, 12)) + 1,
              utcCalendar.component(platform::CalendarComponent::weekOfYear, utc(2024, 5, 5, 12)));
    // 1 January 2022 was a Saturday: week 1 still holds it.
    EXPECT_EQ(utcCalendar.component(platform::CalendarComponent::weekOfYear, utc(2022, 1, 1, 12)), 1);
    EXPECT_EQ(calendar(zone("Australia/Sydney")).timeZone(), zone("Australia/Sydney"));
    platform::Locale::setCurrentOverride(std::nullopt);
}

TEST(AdjustFields, ReplaceFieldsInTheZoneGiven) {
    const platform::TimeZone sydney = zone("Australia/Sydney");
    // 10:15:20.5 on 15 May 2024 in Sydney (UTC+10), whatever the device's zone.
    const Date date = utc(2024, 5, 15, 0, 15, 20.5);
    EXPECT_EQ(adjust(date, 0, 0, 0, std::nullopt, std::nullopt, sydney), utc(2024, 5, 14, 14));
    EXPECT_EQ(adjust(date, std::nullopt, std::nullopt, std::nullopt, 0, std::nullopt, sydney),
              utc(2024, 4, 30, 0, 15, 20));
    EXPECT_EQ(adjust(date, std::nullopt, std::nullopt, std::nullopt, std::nullopt, 13, sydney),
              utc(2025, 1, 14, 23, 15, 20));   // January of the next year, UTC+11 in summer
    EXPECT_EQ(adjust(date, 24, std::nullopt, std::nullopt, std::nullopt, std::nullopt, sydney),
              utc(2024, 5, 15, 14, 15, 20));   // midnight at the end of the day
    EXPECT_EQ(adjust(date, std::nullopt, 60, std::nullopt, std::nullopt, std::nullopt, sydney),
              utc(2024, 5, 15, 1, 0, 20));
}

TEST(AdjustFields, NothingReplacedDropsTheFraction) {
    const Date date = local(2024, 5, 15, 10, 15, 20).addingTimeInterval(0.75);
    EXPECT_EQ(adjust(date, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt),
              local(2024, 5, 15, 10, 15, 20));
    const Date nowhere = Date::fromSecondsSince1970(1e300);
    EXPECT_EQ(adjust(nowhere, 0, 0, 0, std::nullopt, std::nullopt), nowhere);
    EXPECT_EQ(adjust(date, std::nullopt, std::nullopt, std::nullopt, INT_MAX, std::nullopt), date);
}

TEST(AdjustFields, ARepeatedClockTimeKeepsTheOccurrenceOfTheDate) {
    // 01:38:12.5 on the night the clocks go back, in each of its two
    // occurrences: New York (EDT, then EST) and Sydney, where it is 02:38:12.5
    // (AEDT, then AEST).
    struct Case {
        const char* zone;
        int hour;   // of the repeated clock time
        Date first;
        Date second;
    };
    const Case cases[] = {
        {"America/New_York", 1, utc(2024, 11, 3, 5, 38, 12.5), utc(2024, 11, 3, 6, 38, 12.5)},
        {"Australia/Sydney", 2, utc(2024, 4, 6, 15, 38, 12.5), utc(2024, 4, 6, 16, 38, 12.5)},
    };
    for (const Case& c : cases) {
        const platform::TimeZone tz = zone(c.zone);
        for (const Date date : {c.first, c.second}) {
            const Date whole = date.addingTimeInterval(-0.5);
            EXPECT_EQ(adjust(date, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, tz), whole)
                << c.zone;
            EXPECT_EQ(adjust(date, std::nullopt, 40, std::nullopt, std::nullopt, std::nullopt, tz),
                      whole.addingTimeInterval(120)) << c.zone;
            // A step of no days is no step.
            EXPECT_EQ(adjust(date, DateComponentType::day, 0, tz), date) << c.zone;
        }
        // From elsewhere in the day, the occurrence under the date's own offset:
        // an hour before the repeat, the first; two hours after it, the second.
        EXPECT_EQ(adjust(c.first.addingTimeInterval(-3600), c.hour, std::nullopt, std::nullopt, std::nullopt,
                         std::nullopt, tz),
                  c.first.addingTimeInterval(-0.5)) << c.zone;
        EXPECT_EQ(adjust(c.second.addingTimeInterval(7200), c.hour, std::nullopt, std::nullopt, std::nullopt,
                         std::nullopt, tz),
                  c.second.addingTimeInterval(-0.5)) << c.zone;
        // A day step into the repeated time, from the same clock time a day
        // later, lands on the first occurrence.
        EXPECT_EQ(adjust(c.second.addingTimeInterval(86400), DateComponentType::day, -1, tz), c.first) << c.zone;
    }
    // A time the clocks skip still moves on by the length of the gap: 02:30 on
    // 10 March 2024 in New York is 03:30 EDT.
    EXPECT_EQ(adjust(utc(2024, 3, 10, 6, 30), 2, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                     zone("America/New_York")),
              utc(2024, 3, 10, 7, 30));
}

TEST(Components, ReadInTheDeviceZoneByDefault) {
    const Date date = local(2024, 5, 15, 10, 15, 20);   // a Wednesday
    const platform::DateComponents c = components(date);
    EXPECT_EQ(c.year, 2024);
    EXPECT_EQ(c.month, 5);
    EXPECT_EQ(c.day, 15);
    EXPECT_EQ(c.hour, 10);
    EXPECT_EQ(c.minute, 15);
    EXPECT_EQ(c.second, 20);
    EXPECT_EQ(c.weekday, 4);
    EXPECT_EQ(c.weekdayOrdinal, 3);
    EXPECT_EQ(c.weekOfYear, 20);   // Sunday-first weeks from the one holding 1 January
    EXPECT_FALSE(c.era.has_value());
    EXPECT_FALSE(c.nanosecond.has_value());
    EXPECT_EQ(components(utc(2024, 5, 15, 23), zone("Australia/Sydney")).day, 16);
    EXPECT_EQ(component(date, DateComponentType::nthWeekday), 3);
    EXPECT_EQ(component(local(2024, 5, 12, 9), DateComponentType::weekday), 1);   // Sunday
    EXPECT_EQ(component(date, DateComponentType::week), 20);
    EXPECT_EQ(component(Date::fromSecondsSince1970(std::nan("")), DateComponentType::year), 0);
}

TEST(DateByLocalZone, MovesByTheOffsetOfNowNotOfTheDate) {
    DeviceZone east(fixedZone(7200));
    const Date winter = utc(2024, 1, 15, 12);
    EXPECT_EQ(dateByLocalZone(winter), utc(2024, 1, 15, 14));
    DeviceZone london("Europe/London");   // today's offset, also for a date in the other season
    const int offsetNow = zone("Europe/London").secondsFromGMT(Date::now());
    EXPECT_EQ(dateByLocalZone(winter).timeIntervalSince(winter), offsetNow);
    EXPECT_EQ(dateByLocalZone(utc(2024, 7, 15, 12)).timeIntervalSince(utc(2024, 7, 15, 12)), offsetNow);
}
