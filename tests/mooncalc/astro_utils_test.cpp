// Runs once per test zone: the decimal year reads the device's calendar day.
#include "mooncalc/astro_utils.h"
#include "mooncalc_test_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <numbers>

namespace mooncalc::astro_utils {
namespace {

using mooncalc_test::local;
using mooncalc_test::utc;

TEST(AstroUtils, LeapYearsJulianBefore1582) {
    for (std::int64_t year : {1500, 1600, 2000, 2024, -4, 0, 4, 1100, 1580})
        EXPECT_TRUE(isLeap(year)) << year;
    for (std::int64_t year : {1582, 1700, 1900, 2023, -1, 1581, 2100})
        EXPECT_FALSE(isLeap(year)) << year;
}

TEST(AstroUtils, DayOfYear) {
    EXPECT_EQ(dayOfYear(2023, 1, 1), 1);
    EXPECT_EQ(dayOfYear(2023, 3, 1), 60);
    EXPECT_EQ(dayOfYear(2024, 3, 1), 61);
    EXPECT_EQ(dayOfYear(2024, 12, 31), 366);
    EXPECT_EQ(dayOfYear(1500, 3, 1), 61);
    EXPECT_EQ(dayOfYear(2023, 12, 31), 365);
    // Unchecked arguments give the formula's value, with no overflow.
    EXPECT_EQ(dayOfYear(2023, 13, 1), 366);
    EXPECT_EQ(dayOfYear(2023, INT_MAX, 1), 65259641909);
}

TEST(AstroUtils, DecimalYearOfTheLocalCalendarDay) {
    const double newYear = 2024 + 1 / 365.2425;
    EXPECT_EQ(dayToYear(local(2024, 1, 1)), newYear);
    EXPECT_EQ(dayToYear(local(2024, 1, 1, 12)), newYear);
    EXPECT_EQ(dayToYear(local(2024, 1, 1, 23, 59, 59)), newYear);
    EXPECT_EQ(dayToYear(local(2023, 12, 31, 18)), 2023 + 365 / 365.2425);
    EXPECT_EQ(dayToYear(local(2024, 12, 31, 6)), 2024 + 366 / 365.2425);
    EXPECT_GT(*dayToYear(local(2024, 12, 31, 6)), 2025.0);
}

TEST(AstroUtils, DecimalYearDependsOnTheZonesCalendarDay) {
    const platform::Date instant = utc(2024, 1, 1, 3);   // still 31 December in New York
    std::optional<double> inUtc;
    {
        const mooncalc_test::ZoneOverride zone("UTC");
        inUtc = dayToYear(instant);
        // Year 0 (1 BC) is a leap year of the Julian calendar: 1 June is its day 153.
        EXPECT_EQ(dayToYear(mooncalc_test::utcOnCalendar(0, 6, 1, 12)), 153 / 365.2425);
    }
    const mooncalc_test::ZoneOverride zone("America/New_York");
    EXPECT_EQ(inUtc, 2024 + 1 / 365.2425);
    EXPECT_EQ(dayToYear(instant), 2023 + 365 / 365.2425);
    EXPECT_FALSE(dayToYear(platform::Date::fromSecondsSince1970(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_FALSE(dayToYear(platform::Date::fromSecondsSince1970(1e300)));
}

TEST(AstroUtils, JulianDaysAsAPlainCountOfDays) {
    EXPECT_EQ(jdFromDate(utc(1970, 1, 1)), 2440587.5);
    EXPECT_EQ(jdFromDate(utc(2000, 1, 1, 12)), 2451545.0);
    EXPECT_EQ(gregorianDateFrom(2451545.0), utc(2000, 1, 1, 12));
    EXPECT_EQ(gregorianDateFrom(2440587.5), utc(1970, 1, 1));
    EXPECT_TRUE(std::isnan(jdFromDate(platform::Date::fromSecondsSince1970(std::nan("")))));
}

TEST(AstroUtils, AnglesToOneTurnAndToRadians) {
    EXPECT_EQ(to360(-30), 330);
    EXPECT_EQ(to360(725), 5);
    EXPECT_EQ(to360(360), 0);
    EXPECT_EQ(to360(-360), 360);
    EXPECT_EQ(to360(0), 0);
    EXPECT_TRUE(std::isnan(to360(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_TRUE(std::isnan(to360(std::numeric_limits<double>::infinity())));
    EXPECT_EQ(toRadians(180), std::numbers::pi);
    EXPECT_EQ(toRadians(-90), -std::numbers::pi / 2);
    // The product with pi is taken before the division: 3 degrees are pi / 60
    // to the last bit (3 times pi / 180 is one unit in the last place more).
    EXPECT_EQ(toRadians(3), std::numbers::pi / 60);
}

} // namespace
} // namespace mooncalc::astro_utils
