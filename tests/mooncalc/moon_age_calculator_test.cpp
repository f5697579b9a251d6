// Runs once per test zone: the age counts the calendar date in the device's zone.
#include "mooncalc/moon_age_calculator.h"
#include "mooncalc_test_support.h"
#include "platform/core/julian_day_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace mooncalc {
namespace {

using mooncalc_test::local;
using mooncalc_test::utc;
using Numbers = std::vector<std::int64_t>;

const MoonAgeCalculator calculator;

TEST(MoonAge, TheFirstOfJanuary2000) {
    // Day number 2451545: 0.827298 of a mean month after the new moon of 6
    // January 2000, times 29.53.
    for (const platform::Date date : {local(2000, 1, 1), local(2000, 1, 1, 12), local(2000, 1, 1, 23, 59, 59)})
        EXPECT_NEAR(calculator.getMoonAge(date), 24.43, 0.005);
}

TEST(MoonAge, EveryInstantOfALocalDayHasOneAge) {
    for (int day = 1; day <= 31; ++day) {
        const double age = calculator.getMoonAge(local(2024, 3, day));
        EXPECT_EQ(calculator.getMoonAge(local(2024, 3, day, 11, 30)), age) << day;
        EXPECT_EQ(calculator.getMoonAge(local(2024, 3, day, 23, 59, 59.9)), age) << day;
        EXPECT_GE(age, 0.0);
        EXPECT_LT(age, 29.53);
    }
}

// The calendar date counts as the mean-motion formula counts it: the Julian day
// number of the date, Gregorian from 15 October 1582, Julian before. The
// program's civil-day count gives the same numbers.
TEST(MoonAge, TheProgramsDayCountIsTheFormulasDayNumber) {
    auto formula = [](std::int64_t year, int month, int day) {
        const double y = static_cast<double>(year) - std::floor((12 - month) / 10.0);
        int m = month + 9;
        if (m >= 12) m -= 12;
        const double k1 = std::floor(365.25 * (y + 4712));
        const double k2 = std::floor(30.6 * m + 0.5);
        const double k3 = std::floor(std::floor(y / 100 + 49) * 0.75) - 38;
        double j = k1 + k2 + day + 59;
        if (j > 2299160) j -= k3;
        return static_cast<std::int64_t>(j);
    };
    EXPECT_EQ(formula(2000, 1, 1), 2451545);
    EXPECT_EQ(formula(1582, 10, 15), 2299161);
    EXPECT_EQ(formula(1582, 10, 4), 2299160);
    for (std::int64_t year = -4700; year <= 3000; year += 3)
        for (int month = 1; month <= 12; ++month)
            for (int day : {1, 15, 28})
                ASSERT_EQ(astronomy::dayNumberOfCivilDate(year, month, day), formula(year, month, day))
                    << year << '-' << month << '-' << day;
}

TEST(MoonAge, LunarDaysRoundUpOnlyBeyondFourFifths) {
    EXPECT_EQ(MoonAgeCalculator::lunarDay(6.85), 7);
    EXPECT_EQ(MoonAgeCalculator::lunarDay(6.75), 6);
    EXPECT_EQ(MoonAgeCalculator::lunarDay(6.8), 6);   // exactly 0.2 short is not rounded up
    EXPECT_EQ(MoonAgeCalculator::lunarDay(29.2), 29);
    EXPECT_EQ(MoonAgeCalculator::lunarDay(0.67), 0);
    EXPECT_EQ(MoonAgeCalculator::lunarDay(0.95), 1);
    EXPECT_EQ(MoonAgeCalculator::lunarDay(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(MoonAge, CyclicRunsOfLunarDays) {
    EXPECT_EQ(MoonAgeCalculator::lunarDayRun(5, 6, 30), (Numbers{5, 6}));
    EXPECT_EQ(MoonAgeCalculator::lunarDayRun(29, 1, 30), (Numbers{29, 30, 1}));
    EXPECT_EQ(MoonAgeCalculator::lunarDayRun(0, 1, 30), (Numbers{29, 30, 1}));
    EXPECT_EQ(MoonAgeCalculator::lunarDayRun(0, 29, 30), (Numbers{0}));
    // Ages 29.2 and 0.67: 29 and 0, and 0 counts as 29.
    EXPECT_EQ(MoonAgeCalculator::lunarDayRun(29, 0, 30), (Numbers{29}));
    // A number the cycle never meets stops after one turn.
    EXPECT_EQ(MoonAgeCalculator::lunarDayRun(3, 40, 30).size(), 31u);
    EXPECT_EQ(MoonAgeCalculator::lunarDayRun(std::numeric_limits<std::int64_t>::max(), 5, 30).size(), 6u);
}

// A cycle longer than a lunar month, or none, gives no run: no modulus can make
// the run overflow or hold more than a month and a day.
TEST(MoonAge, RunsOnlyInALunarMonthsCycle) {
    EXPECT_EQ(MoonAgeCalculator::lunarDayRun(3, 4, 0), Numbers{});
    EXPECT_EQ(MoonAgeCalculator::lunarDayRun(0, 5, std::numeric_limits<std::int64_t>::min()), Numbers{});
    EXPECT_EQ(MoonAgeCalculator::lunarDayRun(1, 0, 100000000), Numbers{});
    EXPECT_EQ(MoonAgeCalculator::lunarDayRun(1, 0, 31), Numbers{});
    EXPECT_EQ(MoonAgeCalculator::lunarDayRun(28, 2, 29), (Numbers{28, 29, 1, 2}));
}

// The two samples are the first and the last second of the UTC day: in UTC
// both fall on one date, elsewhere on two.
TEST(MoonAge, LunarDaysTouchingTheUtcDay) {
    const bool deviceInUtc = platform::TimeZone::current().secondsFromGMT(utc(2024, 1, 1)) == 0 &&
                             platform::TimeZone::current().secondsFromGMT(utc(2024, 7, 1)) == 0;
    for (int day = 0; day < 366; ++day) {
        const platform::Date date = utc(2024, 1, 1, 12).addingTimeInterval(day * 86400.0);
        const Numbers numbers = calculator.getMoonAges(date);
        ASSERT_GE(numbers.size(), 1u) << day;
        ASSERT_LE(numbers.size(), 3u) << day;
        if (deviceInUtc) {
            ASSERT_EQ(numbers.size(), 1u) << day;
        }
        for (std::size_t i = 1; i < numbers.size(); ++i)
            ASSERT_EQ(numbers[i], numbers[i - 1] % 30 + 1) << day;   // consecutive, 30 followed by 1
        // Every instant of the UTC day gives the same numbers.
        ASSERT_EQ(calculator.getMoonAges(date.addingTimeInterval(-43200.0)), numbers) << day;
    }
}

// The last sample is the UTC day's last second, also when the clocks change:
// on 31 March 2024 that is 00:59:59 BST on 1 April in London (lunar day 22
// touches the UTC day too), on 27 October 23:59:59 GMT, still the 27th. One
// local day on from 0h UTC would stop at 22:59:59 UTC on 31 March and run to
// 00:59:59 UTC on 28 October.
TEST(MoonAge, TheLastSampleIsTheUtcDaysLastSecondWhenTheClocksChange) {
    const mooncalc_test::ZoneOverride zone("Europe/London");
    EXPECT_EQ(calculator.getMoonAges(utc(2024, 3, 31, 12)), (Numbers{21, 22}));
    EXPECT_EQ(calculator.getMoonAges(utc(2024, 10, 27, 12)), (Numbers{24}));
}

TEST(MoonAge, InstantsTheCalendarCannotPlaceHaveNoAge) {
    for (double seconds : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e300}) {
        const auto date = platform::Date::fromSecondsSince1970(seconds);
        EXPECT_TRUE(std::isnan(calculator.getMoonAge(date)));
        EXPECT_TRUE(calculator.getMoonAges(date).empty());
    }
}

} // namespace
} // namespace mooncalc
