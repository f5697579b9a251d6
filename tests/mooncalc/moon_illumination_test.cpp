// The device runs in UTC.
#include "mooncalc/moon_illumination.h"
#include "mooncalc/sun_moon_calculator.h"
#include "mooncalc_test_support.h"
#include "platform/core/julian_day.h"
#include "platform/core/swiss_ephemeris.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <variant>

namespace mooncalc {
namespace {

using mooncalc_test::utc;

TEST(MoonIllumination, AtJ2000) {
    const auto illumination = moonIllumination(utc(2000, 1, 1, 12));
    ASSERT_TRUE(illumination);
    EXPECT_NEAR(illumination->fraction, 0.2342, 0.00005);
    EXPECT_NEAR(illumination->phase, 0.8392, 0.00005);
    EXPECT_NEAR(illumination->angle, 1.9292, 0.00005);
    // The calculator's operation is the same, whatever its own instant.
    const auto calculator = SunMoonCalculator::make(utc(1990, 5, 5), {10.0, 20.0});
    EXPECT_EQ(calculator->getMoonIllumination(utc(2000, 1, 1, 12)), illumination);
}

// Any instant, past or future, is computed for itself: the lit fraction agrees
// with the Swiss Ephemeris within the 2.8% of the disc moon_illumination.h
// states for 1950 to 2060.
TEST(MoonIllumination, PastAndFutureInstantsAgreeWithTheSwissEphemeris) {
    for (double day = 0; day < 40200; day += 9.7) {
        const platform::Date date = utc(1950, 1, 1).addingTimeInterval(day * 86400.0);
        const auto illumination = moonIllumination(date);
        ASSERT_TRUE(illumination);
        const auto reference =
            swisseph::phenomenaUT(astronomy::JulianDay::of(date).value, swisseph::body::moon, 0);
        ASSERT_TRUE((std::holds_alternative<std::array<double, 20>>(reference)));
        const double lit = std::get<std::array<double, 20>>(reference)[1];
        ASSERT_NEAR(illumination->fraction, lit, 0.028) << mooncalc_test::utcMinute(date);
        ASSERT_GE(illumination->phase, 0.0);
        ASSERT_LE(illumination->phase, 1.0);
        // Below 0.5 exactly while the bright limb's angle is negative.
        ASSERT_EQ(illumination->phase < 0.5, illumination->angle < 0.0);
    }
}

TEST(MoonIllumination, NothingForInstantsWithoutAMillisecondCount) {
    for (double seconds : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e17,
                           -1e17})
        EXPECT_FALSE(moonIllumination(platform::Date::fromSecondsSince1970(seconds))) << seconds;
    EXPECT_TRUE(moonIllumination(platform::Date::fromSecondsSince1970(9e15)));
}

} // namespace
} // namespace mooncalc
