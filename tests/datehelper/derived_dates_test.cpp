// Derived dates, unit counts and the days at the ends of weeks and months, in
// every test zone: they follow the device's zone.

#include "datehelper/date_arithmetic.h"
#include "datehelper/derived_dates.h"
#include "support/era_crossings.h"
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

namespace {

Date derived(Date date, const DateForType& type) {
    return dateFor(date, type, calendar(platform::TimeZone::current()));
}

} // namespace

TEST(NearestMinute, RoundsTheMinuteAndKeepsTheSeconds) {
    EXPECT_EQ(derived(local(2024, 5, 15, 10, 7, 42), DateForType::nearestMinute(15)), local(2024, 5, 15, 10, 0, 42));
    EXPECT_EQ(derived(local(2024, 5, 15, 10, 8, 5), DateForType::nearestMinute(15)), local(2024, 5, 15, 10, 15, 5));
    EXPECT_EQ(derived(local(2024, 5, 15, 10, 5), DateForType::nearestMinute(10)), local(2024, 5, 15, 10, 10));
    EXPECT_EQ(derived(local(2024, 5, 15, 10, 58, 30), DateForType::nearestMinute(5)), local(2024, 5, 15, 11, 0, 30));
}

TEST(NearestMinute, StepsZeroOneSevenAndSixty) {
    const Date date = local(2024, 5, 15, 10, 38, 12).addingTimeInterval(0.5);
    EXPECT_EQ(derived(date, DateForType::nearestMinute(0)), date);   // unchanged, fraction and all
    EXPECT_EQ(derived(date, DateForType::nearestMinute(-5)), date);
    EXPECT_EQ(derived(date, DateForType::nearestHour(0)), date);
    EXPECT_EQ(derived(date, DateForType::nearestMinute(1)), local(2024, 5, 15, 10, 38, 12));
    EXPECT_EQ(derived(date, DateForType::nearestMinute(7)), local(2024, 5, 15, 10, 35, 12));   // 38+3 = 41 -> 35
    EXPECT_EQ(derived(local(2024, 5, 15, 10, 39), DateForType::nearestMinute(7)), local(2024, 5, 15, 10, 42));
    EXPECT_EQ(derived(date, DateForType::nearestMinute(60)), local(2024, 5, 15, 11, 0, 12));
    EXPECT_EQ(derived(local(2024, 5, 15, 10, 29), DateForType::nearestMinute(60)), local(2024, 5, 15, 10, 0));
    EXPECT_EQ(derived(date, DateForType::nearestMinute(INT_MAX)), local(2024, 5, 15, 10, 0, 12));
}

TEST(NearestMinute, InTheRepeatedHourStaysInItsOccurrence) {
    // 06:38:12 UTC is 01:38:12 EST, the second 01:38 of 3 November 2024.
    DeviceZone newYork("America/New_York");
    const Date secondTime = utc(2024, 11, 3, 6, 38, 12);
    EXPECT_EQ(derived(secondTime, DateForType::nearestMinute(10)), utc(2024, 11, 3, 6, 40, 12));
    EXPECT_EQ(derived(secondTime, DateForType::nearestHour(1)), utc(2024, 11, 3, 6, 0, 12));
    EXPECT_EQ(derived(secondTime.addingTimeInterval(-3600), DateForType::nearestMinute(10)),
              utc(2024, 11, 3, 5, 40, 12));   // the first 01:38, in EDT
}

TEST(NearestHour, RoundsTheHourWithMinuteZero) {
    EXPECT_EQ(derived(local(2024, 5, 15, 14, 59, 30), DateForType::nearestHour(6)), local(2024, 5, 15, 12, 0, 30));
    EXPECT_EQ(derived(local(2024, 5, 15, 15, 0, 10), DateForType::nearestHour(6)), local(2024, 5, 15, 18, 0, 10));
    EXPECT_EQ(derived(local(2024, 5, 15, 21, 10, 10), DateForType::nearestHour(6)), local(2024, 5, 16, 0, 0, 10));
}

TEST(DerivedDays, StartAndEndOfTheDeviceDay) {
    // Five hours west: 22:30 on 11 March local is 03:30 UTC on the 12th.
    DeviceZone west(fixedZone(-5 * 3600));
    const Date evening = local(2024, 3, 11, 22, 30);
    EXPECT_EQ(derived(evening, DateForType::startOfDay()), local(2024, 3, 11));
    EXPECT_EQ(startOfDay(evening), utc(2024, 3, 12));   // the UTC day differs
    EXPECT_EQ(derived(evening, DateForType::endOfDay()), local(2024, 3, 11, 23, 59, 59));
}

TEST(DerivedDays, TomorrowAndYesterdayKeepTheClockAcrossClockChanges) {
    for (const char* name : {"America/New_York", "Australia/Sydney"}) {
        DeviceZone device(name);
        for (const Date noon : {local(2024, 3, 9, 12), local(2024, 11, 2, 12), local(2024, 4, 6, 12),
                                local(2024, 10, 5, 12)}) {
            const Date next = derived(noon, DateForType::tomorrow());
            EXPECT_EQ(component(next, DateComponentType::hour), 12) << name;
            EXPECT_EQ(derived(next, DateForType::yesterday()), noon) << name;
        }
    }
}

TEST(DerivedWeeks, StartEndAndDaysOfTheWeek) {
    const Date wednesday = local(2024, 5, 15, 9, 30);
    EXPECT_EQ(derived(wednesday, DateForType::endOfWeek()), local(2024, 5, 18, 9, 30));
    EXPECT_EQ(derived(local(2024, 5, 18, 9, 30), DateForType::endOfWeek()), local(2024, 5, 18, 9, 30));
    EXPECT_EQ(derived(wednesday, DateForType::startOfWeek()), local(2024, 5, 12));
    // The calendar passed decides the first weekday and the zone.
    const auto mondayFirst = platform::Calendar::gregorian(platform::TimeZone::utc(),
                                                           platform::Locale::withIdentifier("en_GB"));
    EXPECT_EQ(dateFor(utc(2024, 5, 15, 9), DateForType::startOfWeek(), mondayFirst), utc(2024, 5, 13));
    EXPECT_EQ(firstDayOfWeek(wednesday), 12);
    EXPECT_EQ(lastDayOfWeek(wednesday), 19);
    EXPECT_EQ(firstDayOfWeek(local(2024, 10, 1, 12)), 29);
    EXPECT_EQ(lastDayOfWeek(local(2024, 10, 1, 12)), 6);
}

TEST(DerivedWeeks, ClockChangesDoNotShiftTheDaysOfTheWeek) {
    // Just after midnight on the Saturday ending a week whose Sunday the clocks
    // went forward (New York, 10 March 2024) or back (Sydney, 7 April 2024):
    // counting the week in seconds would land an hour off, on another day.
    {
        DeviceZone newYork("America/New_York");
        EXPECT_EQ(firstDayOfWeek(local(2024, 3, 16, 0, 30)), 10);
        EXPECT_EQ(lastDayOfWeek(local(2024, 3, 16, 0, 30)), 17);
    }
    {
        DeviceZone sydney("Australia/Sydney");
        EXPECT_EQ(firstDayOfWeek(local(2024, 4, 13, 23, 30)), 7);
        EXPECT_EQ(lastDayOfWeek(local(2024, 4, 13, 23, 30)), 14);
        EXPECT_EQ(firstDayOfWeek(local(2024, 4, 7, 0, 30)), 7);
    }
}

TEST(DerivedMonths, StartAndEndOfTheMonth) {
    EXPECT_EQ(derived(local(2024, 2, 10, 15, 20, 33), DateForType::startOfMonth()), local(2024, 2, 1));
    EXPECT_EQ(derived(local(2024, 2, 10, 15, 20, 33), DateForType::endOfMonth()), local(2024, 2, 29));
    EXPECT_EQ(derived(local(2023, 12, 5, 8), DateForType::endOfMonth()), local(2023, 12, 31));
}

TEST(DerivedMonths, ARepeatedMidnightStartsAtItsFirstOccurrence) {
    // Havana's clocks go back from 01:00 to 00:00 on Sunday 1 November 2026:
    // the month begins at the first midnight, 04:00 UTC, in daylight time.
    DeviceZone havana("America/Havana");
    EXPECT_EQ(derived(utc(2026, 11, 15, 17), DateForType::startOfMonth()), utc(2026, 11, 1, 4));
    EXPECT_EQ(derived(utc(2026, 11, 1, 5, 30), DateForType::startOfMonth()), utc(2026, 11, 1, 4));
    EXPECT_EQ(derived(utc(2026, 11, 1, 5, 30), DateForType::startOfDay()), utc(2026, 11, 1, 4));
    EXPECT_EQ(derived(utc(2026, 10, 15, 17), DateForType::endOfMonth()), utc(2026, 10, 31, 4));
}

TEST(Since, TimeUnitsElapseCalendarUnitsCross) {
    const Date before = local(2024, 2, 29, 23, 59, 50);
    const Date after = local(2024, 3, 1, 0, 0, 10);
    EXPECT_EQ(since(after, before, DateComponentType::second), 20);
    EXPECT_EQ(since(after, before, DateComponentType::minute), 0);
    EXPECT_EQ(since(after, before, DateComponentType::day), 1);
    EXPECT_EQ(since(after, before, DateComponentType::month), 1);
    EXPECT_EQ(since(after, before, DateComponentType::year), 0);
    EXPECT_EQ(since(before, after, DateComponentType::day), -1);
    EXPECT_EQ(since(before.addingTimeInterval(-5399), before, DateComponentType::hour), -1);
    EXPECT_EQ(since(local(2025, 1, 1), local(2024, 12, 31, 23), DateComponentType::year), 1);
    // Saturday night to Monday morning crosses one week boundary, Sunday- or Monday-first.
    EXPECT_EQ(since(local(2024, 5, 20, 1), local(2024, 5, 18, 23), DateComponentType::week), 1);
}

TEST(Since, TimeUnitsTruncateTheExactIntervalNotItsRounding) {
    // 100 ns after 1970 to a whole minute, hour or second of 2023: the interval
    // falls 100 ns short of the whole unit, though as a double it rounds up to it.
    const Date justAfter1970 = Date::fromSecondsSince1970(1e-7);
    EXPECT_EQ(since(Date::fromSecondsSince1970(1'699'999'980), justAfter1970, DateComponentType::minute), 28'333'332);
    EXPECT_EQ(since(Date::fromSecondsSince1970(1'699'999'200), justAfter1970, DateComponentType::hour), 472'221);
    EXPECT_EQ(since(justAfter1970, Date::fromSecondsSince1970(1'699'999'200), DateComponentType::hour), -472'221);
    EXPECT_EQ(since(Date::fromSecondsSince1970(-5399), Date::fromSecondsSince1970(-4.9e-324), DateComponentType::second),
              -5398);
    // Where seconds are coarser than a minute, the quotient rounds too.
    EXPECT_EQ(since(Date::fromSecondsSince1970(1.0000000000000004e18), Date(), DateComponentType::minute),
              16'666'666'666'666'673);
}

TEST(Since, CountsEveryUnitAcrossTheChangeOfEra) {
    for (const auto& crossing : testsupport::era_crossing::cases) {
        for (int ordinal = 0; ordinal <= static_cast<int>(DateComponentType::year); ++ordinal) {
            const auto type = static_cast<DateComponentType>(ordinal);
            if (calendarComponent(type) != crossing.unit) continue;
            EXPECT_EQ(since(testsupport::localAstronomical(crossing.to), testsupport::localAstronomical(crossing.from),
                            type),
                      crossing.count)
                << "unit " << ordinal << " from " << crossing.from << " to " << crossing.to;
        }
    }
}

TEST(Since, CountsThatDoNotFitSaturate) {
    const Date origin = utc(2024, 1, 1);
    EXPECT_EQ(since(Date::fromSecondsSince1970(1e300), origin, DateComponentType::second), INT64_MAX);
    EXPECT_EQ(since(Date::fromSecondsSince1970(-1e300), origin, DateComponentType::hour), INT64_MIN);
    EXPECT_EQ(since(Date::fromSecondsSince1970(std::nan("")), origin, DateComponentType::minute), 0);
    EXPECT_EQ(since(Date::fromSecondsSince1970(1e300), origin, DateComponentType::day), 0);   // cannot be placed
}

TEST(DaysInMonth, ByTheZoneHoldingTheInstant) {
    EXPECT_EQ(numberOfDaysInMonth(utc(2024, 2, 10, 12), platform::TimeZone::utc()), 29);
    EXPECT_EQ(numberOfDaysInMonth(utc(2023, 2, 10, 12), platform::TimeZone::utc()), 28);
    EXPECT_EQ(numberOfDaysInMonth(utc(2024, 3, 1, 2), fixedZone(-5 * 3600)), 29);
    EXPECT_EQ(numberOfDaysInMonth(utc(2024, 3, 1, 2), platform::TimeZone::utc()), 31);
    EXPECT_EQ(numberOfDaysInMonth(Date::fromSecondsSince1970(1e300), platform::TimeZone::utc()), 0);
}
