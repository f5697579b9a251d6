// Runs once per test zone: every helper works in the device's calendar and zone.
#include "mooncalc/date_extensions.h"
#include "mooncalc_test_support.h"
#include "platform/core/calendar.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace mooncalc {
namespace {

using mooncalc_test::local;
using mooncalc_test::utc;
using platform::Date;

TEST(DateExtensions, MillisecondsSince1970) {
    EXPECT_EQ(dateFromMilliseconds(1999), utc(1970, 1, 1, 0, 0, 1));
    EXPECT_EQ(dateFromMilliseconds(-1999), utc(1969, 12, 31, 23, 59, 59));
    EXPECT_EQ(millisecondsSince1970(Date::fromSecondsSince1970(0.0026)), 3);
    EXPECT_EQ(millisecondsSince1970(Date::fromSecondsSince1970(0.0024)), 2);
    EXPECT_EQ(millisecondsSince1970(Date::fromSecondsSince1970(-0.0026)), -3);
    EXPECT_EQ(millisecondsSince1970(Date::fromSecondsSince1970(0.0025)), 3);   // halves away from zero
    EXPECT_EQ(millisecondsSince1970(Date::fromSecondsSince1970(-0.0025)), -3);
    EXPECT_EQ(millisecondsSince1970(utc(2024, 1, 1)), 1704067200000);
    for (double seconds : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e17})
        EXPECT_FALSE(millisecondsSince1970(Date::fromSecondsSince1970(seconds))) << seconds;
}

TEST(DateExtensions, DayBoundariesAndSteps) {
    const Date date = local(2024, 3, 5, 10, 20, 30);
    EXPECT_EQ(startOfDate(date), local(2024, 3, 5));
    EXPECT_EQ(endOfDate(date), local(2024, 3, 5, 23, 59, 59));
    EXPECT_EQ(addDay(date), local(2024, 3, 6, 10, 20, 30));
    EXPECT_EQ(dayBefore(date), local(2024, 3, 4, 10, 20, 30));
    EXPECT_EQ(dayAfter(date), local(2024, 3, 6, 10, 20, 30));
    // Across a change of the clocks the wall-clock time stays.
    EXPECT_EQ(dayAfter(local(2024, 3, 30, 12)), local(2024, 3, 31, 12));
    EXPECT_EQ(dayBefore(local(2024, 10, 7, 12)), local(2024, 10, 6, 12));
}

TEST(DateExtensions, MonthsAndYears) {
    EXPECT_EQ(startOfMonth(local(2024, 2, 10, 15, 20, 33)), local(2024, 2, 1));
    EXPECT_EQ(endOfMonth(local(2024, 2, 10, 15, 20, 33)), local(2024, 2, 29));
    EXPECT_EQ(endOfMonth(local(2024, 4, 30, 23)), local(2024, 4, 30));
    EXPECT_EQ(endOfMonth(local(2023, 12, 5)), local(2023, 12, 31));
    EXPECT_EQ(startOfYear(local(2024, 7, 14, 9)), local(2024, 1, 1));
    EXPECT_EQ(startNextYear(local(2024, 7, 14, 9)), local(2025, 1, 1));
    EXPECT_EQ(previousYearStart(local(2024, 12, 31, 23, 59)), local(2023, 1, 1));
    EXPECT_EQ(dateFrom(2024, 3, 5), local(2024, 3, 5));
    EXPECT_EQ(dateFrom(2024, 13, 1), local(2025, 1, 1));
    EXPECT_EQ(dateFrom(2024, 2, 30), local(2024, 3, 1));
}

TEST(DateExtensions, ShortTexts) {
    EXPECT_EQ(dayText(local(2024, 3, 5, 12)), "5");
    EXPECT_EQ(toHHmm(local(2024, 3, 5, 7, 5)), "07:05");
    EXPECT_EQ(yearText(local(2024, 6, 1)), "2024");
    EXPECT_EQ(monthText(local(2024, 3, 5)), "March");   // the tests' locale is en_GB
}

TEST(DateExtensions, RunsOfDays) {
    const Date start = local(2024, 1, 30, 10);
    const std::vector<Date> three = allDates(start, local(2024, 2, 1, 10));
    EXPECT_EQ(three, (std::vector<Date>{start, local(2024, 1, 31, 10), local(2024, 2, 1, 10)}));
    EXPECT_EQ(allDates(start, local(2024, 2, 1, 9, 59)).size(), 2u);
    EXPECT_TRUE(allDates(start, local(2024, 1, 30, 9)).empty());
    EXPECT_EQ(allDates(start, start), std::vector<Date>{start});
    EXPECT_TRUE(allDates(start, Date::fromSecondsSince1970(std::numeric_limits<double>::quiet_NaN())).empty());
}

TEST(DateExtensions, RunsOfDaysAreBounded) {
    const Date start = local(2024, 1, 30, 10);
    const auto daysOn = [&](std::int64_t days) {
        return platform::Calendar::current().dateByAdding(platform::CalendarComponent::day, days, start).value();
    };
    const std::vector<Date> longestRun = allDates(start, daysOn(allDatesDayLimit));
    ASSERT_EQ(longestRun.size(), allDatesDayLimit + 1);
    EXPECT_EQ(longestRun.back(), daysOn(allDatesDayLimit));
    EXPECT_TRUE(allDates(start, daysOn(allDatesDayLimit + 1)).empty());
    for (double end : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(), 1e12})
        EXPECT_TRUE(allDates(start, Date::fromSecondsSince1970(end)).empty()) << end;
    EXPECT_TRUE(allDates(Date::fromSecondsSince1970(-std::numeric_limits<double>::infinity()), start).empty());
}

TEST(DateExtensions, WholeUnitsBetweenTwoInstants) {
    const Date later = local(2024, 3, 1);
    const Date earlier = local(2023, 3, 2);
    EXPECT_EQ(years(later, earlier), 0);
    EXPECT_EQ(months(later, earlier), 11);
    EXPECT_EQ(years(earlier, later), 0);
    EXPECT_EQ(months(earlier, later), -11);
    EXPECT_EQ(offset(later, earlier), 11);
    EXPECT_EQ(offset(earlier, later), -11);
    EXPECT_EQ(days(later, earlier), 365);
    EXPECT_EQ(weeks(later, earlier), 52);
    const Date a = local(2024, 5, 1, 10, 0);
    const Date b = local(2024, 5, 1, 10, 59);
    EXPECT_EQ(hours(b, a), 0);
    EXPECT_EQ(days(b, a), 0);
    EXPECT_EQ(minutes(b, a), 59);
    EXPECT_EQ(seconds(b, a), 3540);
}

TEST(DateExtensions, InstantsTheCalendarCannotPlace) {
    const Date nowhere = Date::fromSecondsSince1970(std::numeric_limits<double>::infinity());
    EXPECT_EQ(startOfDate(nowhere), nowhere);
    EXPECT_FALSE(endOfDate(nowhere));
    EXPECT_FALSE(addDay(nowhere));
    EXPECT_FALSE(startOfYear(nowhere));
    EXPECT_FALSE(startNextYear(nowhere));
    EXPECT_EQ(toHHmm(nowhere), "");
    EXPECT_EQ(years(nowhere, local(2024, 1, 1)), 0);
    EXPECT_FALSE(dateFrom(2000000000, 1, 1));
}

} // namespace
} // namespace mooncalc
