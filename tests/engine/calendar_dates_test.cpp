// Calendar date helpers, run in every test zone: results are local days and
// local clock times wherever the user lives.

#include "engine/calendar_dates.h"
#include "engine/calendar_names.h"
#include "support/era_crossings.h"
#include "test_dates.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace engine;
using engine_test::Fields;
using engine_test::local;
using engine_test::localFields;
using engine_test::utc;
using platform::CalendarComponent;
using platform::Date;

TEST(ZeroTime, IsLocalMidnightOfTheSameDay) {
    const Date lateEvening = local(2024, 3, 10, 23, 59, 59).addingTimeInterval(0.9);
    EXPECT_EQ(zeroTime(lateEvening), local(2024, 3, 10));
    const Date midnight = local(2024, 3, 10);
    EXPECT_EQ(zeroTime(midnight), midnight);
}

TEST(ZeroTime, StaysInsideTheDayOnEveryDayOfAYear) {
    // Covers the days on which the clocks change in the zone under test.
    for (Date noon = local(2024, 1, 1, 12); noon < local(2025, 1, 1); noon = tomorrow(noon)) {
        const Date start = zeroTime(noon);
        ASSERT_TRUE(sameDate(start, noon)) << localFields(noon);
        ASSERT_LE(start, noon);
        ASSERT_EQ(zeroTime(start), start);
        ASSERT_EQ(getHour(noon), 12) << localFields(noon);
    }
}

namespace {

// A day before Christ: its fields carry the era, which the year alone does not.
Date beforeChrist(int year, int month, int day, int hour) {
    platform::DateComponents fields = testsupport::ymdhms(year, month, day, hour);
    fields.era = 0;
    const auto date = platform::Calendar::current().date(fields);
    EXPECT_TRUE(date.has_value()) << year << " BC";
    return date.value_or(Date());
}

} // namespace

TEST(ZeroTime, KeepsTheEraOfTheDay) {
    const Date noon = beforeChrist(500, 6, 15, 12);
    EXPECT_EQ(zeroTime(noon), beforeChrist(500, 6, 15, 0));
}

TEST(DaySteps, KeepTheLocalTimeOfDay) {
    EXPECT_EQ(localFields(yesterday(local(2024, 3, 1, 10, 30))), (Fields{2024, 2, 29, 10, 30, 0}));
    EXPECT_EQ(localFields(tomorrow(local(2023, 12, 31, 22, 0))), (Fields{2024, 1, 1, 22, 0, 0}));
    // Across the spring and autumn changes of London, New York and Sydney.
    EXPECT_EQ(localFields(tomorrow(local(2024, 3, 30, 12))), (Fields{2024, 3, 31, 12, 0, 0}));
    EXPECT_EQ(localFields(tomorrow(local(2024, 3, 9, 12))), (Fields{2024, 3, 10, 12, 0, 0}));
    EXPECT_EQ(localFields(yesterday(local(2024, 4, 8, 12))), (Fields{2024, 4, 7, 12, 0, 0}));
    EXPECT_EQ(localFields(yesterday(local(2024, 10, 7, 12))), (Fields{2024, 10, 6, 12, 0, 0}));
}

TEST(SetYear, KeepsFieldsAndRunsOnFromTheLeapDay) {
    EXPECT_EQ(localFields(setYear(local(2023, 6, 15, 13, 45, 10), 2030)), (Fields{2030, 6, 15, 13, 45, 10}));
    EXPECT_EQ(localFields(setYear(local(2024, 2, 29, 8), 2025)), (Fields{2025, 3, 1, 8, 0, 0}));
}

TEST(Components, WeekdayCountsFromSunday) {
    const Date sunday = local(2026, 12, 6, 15, 7, 9);
    EXPECT_EQ(getDOW(sunday), 1);
    EXPECT_EQ(getDOW(tomorrow(tomorrow(tomorrow(tomorrow(tomorrow(tomorrow(sunday))))))), 7);
    EXPECT_EQ(dayofTheWeek(sunday), "Sunday");
    EXPECT_EQ(dayofTheWeekShort(yesterday(sunday)), "Sat");
    EXPECT_EQ(getSec(sunday), 9);
    EXPECT_EQ(getDateFor(15, 7, 59, 2026, 12, 6), local(2026, 12, 6, 15, 7));
}

TEST(MonthsAndLeapYears, FollowTheGregorianRules) {
    EXPECT_EQ(daysInMonth(2, 2024), 29);
    EXPECT_EQ(daysInMonth(2, 1900), 28);
    EXPECT_EQ(daysInMonth(2, 2000), 29);
    EXPECT_EQ(daysInMonth(4, 2023), 30);
    EXPECT_EQ(daysInMonth(13, 2023), 31);   // January 2024
    EXPECT_FALSE(isLeapYear(1900));
    EXPECT_FALSE(isLeapYear(2023));
    EXPECT_TRUE(isLeapYear(2000));
    EXPECT_TRUE(isLeapYear(2024));
    EXPECT_TRUE(isLeapYear(local(2024, 7, 1)));
}

TEST(SameDate, ComparesLocalDays) {
    EXPECT_FALSE(sameDate(local(2024, 3, 10, 23, 30), local(2024, 3, 11, 0, 10)));
    EXPECT_TRUE(sameDate(local(2024, 3, 10), local(2024, 3, 10, 23, 59)));
    EXPECT_FALSE(sameDate(local(2024, 3, 10), local(2024, 4, 10)));
    EXPECT_FALSE(sameDate(local(2024, 3, 10), local(2025, 3, 10)));
    // The same day, month and year number in the two eras are different days.
    EXPECT_FALSE(sameDate(local(5, 1, 1, 12), beforeChrist(5, 1, 1, 12)));
    EXPECT_TRUE(sameDate(beforeChrist(5, 1, 1, 12), beforeChrist(5, 1, 1, 23)));
    // Instants the calendar cannot place are on no day at all.
    const Date nowhere = Date::fromSecondsSince1970(std::nan(""));
    EXPECT_FALSE(sameDate(nowhere, nowhere));
}

TEST(Interval, CountsUnitBoundariesNotElapsedTime) {
    const Date start = local(2023, 12, 31, 23);
    const Date end = local(2024, 1, 1, 0, 30);
    EXPECT_EQ(interval(end, CalendarComponent::day, start), 1);
    EXPECT_EQ(interval(end, CalendarComponent::year, start), 1);
    EXPECT_EQ(interval(start, CalendarComponent::day, end), -1);
    EXPECT_EQ(interval(local(2024, 5, 1, 10, 59, 50), CalendarComponent::hour, local(2024, 5, 1, 11, 0, 10)), -1);
}

TEST(Interval, CountsEveryUnitAcrossTheChangeOfEra) {
    for (const auto& crossing : testsupport::era_crossing::cases) {
        EXPECT_EQ(interval(testsupport::localAstronomical(crossing.to), crossing.unit,
                           testsupport::localAstronomical(crossing.from)),
                  crossing.count)
            << "unit " << static_cast<int>(crossing.unit) << " from " << crossing.from << " to " << crossing.to;
    }
}

TEST(Interval, CountsSecondsBetweenModernDates) {
    const Date start = local(2024, 6, 1, 12);
    EXPECT_EQ(interval(start.addingTimeInterval(10), CalendarComponent::second, start), 10);
    EXPECT_EQ(interval(start, CalendarComponent::second, start.addingTimeInterval(10)), -10);
    EXPECT_EQ(interval(start.addingTimeInterval(86400.0 * 365 * 100), CalendarComponent::second, start),
              86400LL * 365 * 100);
}

TEST(Interval, CountsMinutesAcrossFortyCenturies) {
    // More minutes than 32 bits hold. UTC, so that minutes are whole in both
    // centuries (local mean time in 2000 BC is no whole number of minutes).
    engine_test::ZoneOverride utcZone("UTC");
    const Date start = beforeChrist(2000, 1, 1, 0);
    const Date end = utc(2100, 1, 1);
    // 1 January 2000 BC (Julian) is Julian day 990,924, 1 January 2100 is 2,488,070.
    const std::int64_t minutes = (2488070LL - 990924) * 1440;
    EXPECT_EQ(interval(end, CalendarComponent::minute, start), minutes);
    EXPECT_EQ(interval(start, CalendarComponent::minute, end), -minutes);
    EXPECT_EQ(interval(end, CalendarComponent::second, start), minutes * 60);
    EXPECT_EQ(interval(end, CalendarComponent::day, Date::fromSecondsSince1970(1e300)), 0);
}

TEST(Names, FallBackToSaturdayAndDecember) {
    EXPECT_EQ(dayofWeekName(6, true), "Fri");
    EXPECT_EQ(dayofWeekName(1, false), "Sunday");
    EXPECT_EQ(dayofWeekName(7, false), "Saturday");
    EXPECT_EQ(dayofWeekName(0, false), "Saturday");
    EXPECT_EQ(dayofWeekName(12, true), "Sat");
    EXPECT_EQ(monthName(9, true), "Sep");
    EXPECT_EQ(monthName(1, false), "January");
    EXPECT_EQ(monthName(13, false), "December");
    EXPECT_EQ(monthName(-4, true), "Dec");
}

TEST(Texts, UseTheFixedPatternsInAnEnglishLocale) {
    platform::Locale::setCurrentOverride(platform::Locale::withIdentifier("en_US"));
    EXPECT_EQ(yearStr(2026, true), "26");
    EXPECT_EQ(yearStr(2026, false), "2026");
    EXPECT_EQ(yearStr(5, false), "0005");
    EXPECT_EQ(yearStr(2005, true), "05");
    const Date date = local(2026, 12, 6, 15, 7, 9);
    EXPECT_EQ(shortDate(date), "06/12/26");
    EXPECT_EQ(longDate(date), "6 Dec 2026");
    EXPECT_EQ(shortTime(date), "3:07PM");
    EXPECT_EQ(longTime(date), "3:07:09PM");
    platform::Locale::setCurrentOverride(std::nullopt);
}

TEST(Instants, CountFromTheUnixEpoch) {
    EXPECT_EQ(timeIntervalSince1970toDate(0), utc(1970, 1, 1));
    for (int i = 0; i < 50; ++i) {
        const Date random = randomDate();
        ASSERT_GE(random, local(1970, 1, 1, 1, 1));
        ASSERT_LE(random, local(2040, 12, 29, 0, 59));
        ASSERT_EQ(getSec(random), 0);
    }
}
