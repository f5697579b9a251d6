// Comparisons of dates, in every test zone: days, weeks, months and years are
// the device's.

#include "datehelper/date_arithmetic.h"
#include "datehelper/date_comparisons.h"
#include "toolkit_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace datehelper;
using datehelper_test::DeviceZone;
using datehelper_test::fixedZone;
using datehelper_test::local;
using datehelper_test::utc;
using datehelper_test::zone;
using platform::Date;
using platform::TimeZone;

TEST(SameDate, DependsOnTheZoneGiven) {
    const Date lateEvening = utc(2024, 3, 11, 23, 30);
    const Date pastMidnight = utc(2024, 3, 12, 0, 30);
    EXPECT_FALSE(isSameDate(lateEvening, pastMidnight, TimeZone::utc()));
    EXPECT_TRUE(isSameDate(lateEvening, pastMidnight, fixedZone(7200)));
    EXPECT_TRUE(isBeforeDate(lateEvening, pastMidnight, TimeZone::utc()));
    EXPECT_TRUE(isAfterDate(pastMidnight, lateEvening, TimeZone::utc()));
    for (const auto& [a, b] : {std::pair{utc(2024, 3, 12, 1), utc(2024, 3, 12, 23)},
                               std::pair{utc(2024, 3, 12, 23), utc(2024, 3, 12, 1)}}) {
        EXPECT_FALSE(isBeforeDate(a, b, TimeZone::utc()));
        EXPECT_FALSE(isAfterDate(a, b, TimeZone::utc()));
    }
    const Date nowhere = Date::fromSecondsSince1970(std::nan(""));
    EXPECT_FALSE(isSameDate(nowhere, nowhere, TimeZone::utc()));
}

TEST(SameMonth, OrdersAgainstThePresentMonth) {
    const TimeZone london = zone("Europe/London");
    const Date now = utc(2024, 5, 15, 12);
    EXPECT_EQ(isSameMonth(utc(2024, 4, 30, 12), london, now), ComparisonResult::orderedAscending);
    EXPECT_EQ(isSameMonth(utc(2024, 5, 1, 0, 30), london, now), ComparisonResult::orderedSame);   // BST
    EXPECT_EQ(isSameMonth(utc(2025, 5, 15), london, now), ComparisonResult::orderedDescending);
    EXPECT_EQ(isSameMonth(utc(2024, 4, 30, 23, 30), london, now), ComparisonResult::orderedSame);
    EXPECT_EQ(isSameMonth(Date::now(), london), ComparisonResult::orderedSame);
}

TEST(Compare, SameDayMonthYearInTheDeviceZone) {
    const Date date = local(2024, 12, 31, 23, 30);
    const TimeZone other = zone("Pacific/Kiritimati");   // plays no part
    EXPECT_TRUE(compare(date, DateComparisonType::isSameDay(local(2024, 12, 31)), other));
    EXPECT_FALSE(compare(date, DateComparisonType::isSameDay(local(2025, 1, 1)), other));
    EXPECT_FALSE(compare(date, DateComparisonType::isSameMonth(local(2025, 1, 1)), other));
    EXPECT_FALSE(compare(date, DateComparisonType::isSameYear(local(2025, 1, 1)), other));
    EXPECT_TRUE(compare(date, DateComparisonType::isSameMonth(local(2024, 12, 1)), other));
    EXPECT_FALSE(compare(date, DateComparisonType::isSameMonth(local(2023, 12, 31)), other));
    EXPECT_TRUE(compare(date, DateComparisonType::isSameYear(local(2024, 1, 1)), other));
}

TEST(Compare, TheYearsOfTheTwoErasDiffer) {
    // 1 BC (astronomical year 0) and 1 AD are both year 1 of their era.
    const Date beforeChrist = local(0, 6, 15, 12);
    const Date annoDomini = local(1, 6, 15, 12);
    const TimeZone any = TimeZone::utc();
    EXPECT_FALSE(compare(beforeChrist, DateComparisonType::isSameDay(annoDomini), any));
    EXPECT_FALSE(compare(beforeChrist, DateComparisonType::isSameMonth(annoDomini), any));
    EXPECT_FALSE(compare(beforeChrist, DateComparisonType::isSameYear(annoDomini), any));
    EXPECT_TRUE(compare(beforeChrist, DateComparisonType::isSameYear(local(0, 1, 1, 12)), any));
    EXPECT_FALSE(compare(beforeChrist, DateComparisonType::isThisYear(), any, annoDomini));
    EXPECT_TRUE(compare(beforeChrist, DateComparisonType::isLastYear(), any, annoDomini));
}

TEST(Compare, SameWeekAcrossTheYearsEnd) {
    const TimeZone any = TimeZone::utc();
    // Tuesday 31 December 2024 and Wednesday 1 January 2025 share a week.
    EXPECT_TRUE(compare(local(2024, 12, 31, 12), DateComparisonType::isSameWeek(local(2025, 1, 1, 12)), any));
    // Saturday 28 and Sunday 29 December 2024 do not.
    EXPECT_FALSE(compare(local(2024, 12, 28, 12), DateComparisonType::isSameWeek(local(2024, 12, 29, 12)), any));
    // Week 1 of 2022 and week 1 of 2023 hold Saturday 1 January 2022 and
    // Saturday 31 December 2022: same number, a year apart.
    EXPECT_FALSE(compare(local(2022, 1, 1, 12), DateComparisonType::isSameWeek(local(2022, 12, 31, 12)), any));
    EXPECT_FALSE(compare(local(2024, 5, 15), DateComparisonType::isSameWeek(local(2025, 5, 14)), any));
    // 1582 lost ten days to the reform and ends in its week 51: Sunday 26
    // December 1582 to Saturday 1 January 1583 is still one week, the week after
    // the one of Monday 20 December.
    EXPECT_TRUE(compare(local(1582, 12, 26, 12), DateComparisonType::isSameWeek(local(1583, 1, 1, 12)), any));
    EXPECT_FALSE(compare(local(1582, 12, 25, 12), DateComparisonType::isSameWeek(local(1582, 12, 26, 12)), any));
    EXPECT_TRUE(compare(local(1583, 1, 1, 12), DateComparisonType::isNextWeek(), any, local(1582, 12, 20, 12)));
}

TEST(Compare, SameWeekHoldingAClockChange) {
    // Both weeks have a day of 25 hours: their first and last moments lie more
    // than 604,800 s apart, and are still one week.
    {
        DeviceZone newYork("America/New_York");   // clocks back on Sunday 3 November 2024
        EXPECT_TRUE(compare(local(2024, 11, 3, 0, 10), DateComparisonType::isSameWeek(local(2024, 11, 9, 23, 50)),
                            TimeZone::utc()));
        EXPECT_FALSE(compare(local(2024, 11, 2, 23, 50),
                             DateComparisonType::isSameWeek(local(2024, 11, 3, 0, 10)), TimeZone::utc()));
    }
    {
        DeviceZone sydney("Australia/Sydney");    // clocks back on Sunday 7 April 2024
        EXPECT_TRUE(compare(local(2024, 4, 7, 0, 10), DateComparisonType::isSameWeek(local(2024, 4, 13, 23, 50)),
                            TimeZone::utc()));
    }
}

TEST(Compare, EarlierAndLaterIncludeTheSameInstant) {
    const Date d = utc(2024, 5, 15, 12);
    EXPECT_TRUE(compare(d, DateComparisonType::isEarlier(d), TimeZone::utc()));
    EXPECT_TRUE(compare(d, DateComparisonType::isLater(d), TimeZone::utc()));
    EXPECT_TRUE(compare(d, DateComparisonType::isEarlier(d.addingTimeInterval(1)), TimeZone::utc()));
    EXPECT_FALSE(compare(d, DateComparisonType::isLater(d.addingTimeInterval(1)), TimeZone::utc()));
    EXPECT_TRUE(compare(d, DateComparisonType::isInTheFuture(), TimeZone::utc(), d));
    EXPECT_TRUE(compare(d, DateComparisonType::isInThePast(), TimeZone::utc(), d));
    EXPECT_FALSE(compare(d, DateComparisonType::isInTheFuture(), TimeZone::utc(), d.addingTimeInterval(0.001)));
}

TEST(Compare, RelativeToNowInTheDeviceZone) {
    const Date now = local(2024, 12, 31, 20);
    auto check = [&](Date date, DateComparisonType type) {
        // The zone passed plays no part.
        const bool inUtc = compare(date, type, TimeZone::utc(), now);
        EXPECT_EQ(inUtc, compare(date, type, zone("Pacific/Kiritimati"), now));
        return inUtc;
    };
    EXPECT_TRUE(check(local(2024, 12, 31, 0, 5), DateComparisonType::isToday()));
    EXPECT_TRUE(check(local(2025, 1, 1, 0, 5), DateComparisonType::isTomorrow()));
    EXPECT_TRUE(check(local(2025, 1, 1, 23, 55), DateComparisonType::isTomorrow()));
    EXPECT_FALSE(check(local(2024, 12, 31, 23, 55), DateComparisonType::isTomorrow()));
    EXPECT_TRUE(check(local(2024, 12, 30, 1), DateComparisonType::isYesterday()));
    EXPECT_TRUE(check(local(2024, 12, 29), DateComparisonType::isThisWeek()));   // Sunday
    EXPECT_TRUE(check(local(2025, 1, 5), DateComparisonType::isNextWeek()));
    EXPECT_TRUE(check(local(2024, 12, 28), DateComparisonType::isLastWeek()));
    EXPECT_TRUE(check(local(2024, 12, 1), DateComparisonType::isThisMonth()));
    EXPECT_TRUE(check(local(2025, 1, 31), DateComparisonType::isNextMonth()));
    EXPECT_TRUE(check(local(2024, 11, 30), DateComparisonType::isLastMonth()));
    EXPECT_TRUE(check(local(2024, 1, 1), DateComparisonType::isThisYear()));
    EXPECT_TRUE(check(local(2025, 6, 1), DateComparisonType::isNextYear()));
    EXPECT_TRUE(check(local(2023, 6, 1), DateComparisonType::isLastYear()));
    EXPECT_FALSE(check(local(2025, 6, 1), DateComparisonType::isLastYear()));
    // Without `now`, the clock: today is today.
    EXPECT_TRUE(compare(Date::now(), DateComparisonType::isToday(), TimeZone::utc()));
}

TEST(Compare, WeekendIsSaturdayAndSunday) {
    // 11 to 17 May 2024: Saturday to Friday.
    for (int day = 11; day <= 17; ++day) {
        const Date noon = local(2024, 5, day, 12);
        const bool weekend = day == 11 || day == 12;
        EXPECT_EQ(compare(noon, DateComparisonType::isWeekend(), TimeZone::utc()), weekend) << day;
        EXPECT_EQ(compare(noon, DateComparisonType::isWeekday(), TimeZone::utc()), !weekend) << day;
    }
    // The weekday is the device's, whatever zone is passed: late on Friday here
    // is Saturday fourteen hours east and still Friday twelve hours west.
    const Date fridayNight = local(2024, 5, 17, 23, 30);
    for (const TimeZone& passed : {fixedZone(14 * 3600), fixedZone(-12 * 3600)}) {
        EXPECT_FALSE(compare(fridayNight, DateComparisonType::isWeekend(), passed)) << passed.identifier();
        EXPECT_TRUE(compare(fridayNight, DateComparisonType::isWeekday(), passed)) << passed.identifier();
    }
    EXPECT_TRUE(compare(local(2024, 5, 18, 0, 30), DateComparisonType::isWeekend(), fixedZone(-12 * 3600)));
}

TEST(Compare, InstantsTheCalendarCannotPlaceAreOnNoDayWeekMonthOrYear) {
    const double unplaceable[] = {std::nan(""), INFINITY, -INFINITY, 1e300, -1e300};
    const Date placed = local(2024, 5, 18, 12);   // a Saturday
    const TimeZone any = TimeZone::utc();
    using Type = DateComparisonType;
    for (const double seconds : unplaceable) {
        const Date nowhere = Date::fromSecondsSince1970(seconds);
        for (const double otherSeconds : unplaceable) {
            const Date elsewhere = Date::fromSecondsSince1970(otherSeconds);
            for (const Type& type : {Type::isSameDay(elsewhere), Type::isSameWeek(elsewhere),
                                     Type::isSameMonth(elsewhere), Type::isSameYear(elsewhere)}) {
                EXPECT_FALSE(compare(nowhere, type, any)) << seconds << " against " << otherSeconds;
            }
            for (const Type& type : {Type::isToday(), Type::isTomorrow(), Type::isYesterday(), Type::isThisWeek(),
                                     Type::isNextWeek(), Type::isLastWeek(), Type::isThisMonth(), Type::isNextMonth(),
                                     Type::isLastMonth(), Type::isThisYear(), Type::isNextYear(), Type::isLastYear()}) {
                EXPECT_FALSE(compare(nowhere, type, any, elsewhere)) << seconds << " now " << otherSeconds;
                EXPECT_FALSE(compare(placed, type, any, elsewhere)) << "now " << otherSeconds;
            }
        }
        for (const Type& type : {Type::isSameDay(placed), Type::isSameWeek(placed), Type::isSameMonth(placed),
                                 Type::isSameYear(placed), Type::isToday(), Type::isThisYear()}) {
            EXPECT_FALSE(compare(nowhere, type, any, placed)) << seconds;
        }
        EXPECT_FALSE(compare(placed, Type::isSameYear(nowhere), any)) << seconds;
        EXPECT_FALSE(compare(nowhere, Type::isWeekend(), any)) << seconds;
        EXPECT_FALSE(compare(nowhere, Type::isWeekday(), any)) << seconds;
    }
}

TEST(Compare, EarlierAndLaterOrderTheInstantsThemselves) {
    const Date nan = Date::fromSecondsSince1970(std::nan(""));
    const Date placed = utc(2024, 5, 15, 12);
    const Date farFuture = Date::fromSecondsSince1970(1e300);
    const Date endOfTime = Date::fromSecondsSince1970(INFINITY);
    const Date startOfTime = Date::fromSecondsSince1970(-INFINITY);
    const TimeZone any = TimeZone::utc();
    using Type = DateComparisonType;
    // NaN is neither earlier nor later than anything, itself included.
    for (const Date other : {nan, placed, endOfTime}) {
        EXPECT_FALSE(compare(nan, Type::isEarlier(other), any));
        EXPECT_FALSE(compare(nan, Type::isLater(other), any));
        EXPECT_FALSE(compare(other, Type::isEarlier(nan), any));
        EXPECT_FALSE(compare(other, Type::isLater(nan), any));
    }
    EXPECT_FALSE(compare(placed, Type::isInTheFuture(), any, nan));
    EXPECT_FALSE(compare(placed, Type::isInThePast(), any, nan));
    // Far and infinite instants keep their place in time.
    EXPECT_TRUE(compare(farFuture, Type::isLater(placed), any));
    EXPECT_TRUE(compare(farFuture, Type::isEarlier(farFuture), any));
    EXPECT_TRUE(compare(endOfTime, Type::isInTheFuture(), any, farFuture));
    EXPECT_TRUE(compare(startOfTime, Type::isInThePast(), any, placed));
    EXPECT_FALSE(compare(startOfTime, Type::isLater(Date::fromSecondsSince1970(-1e300)), any));
}
