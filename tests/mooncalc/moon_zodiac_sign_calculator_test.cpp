// Runs once per test zone: the sign counts the calendar date in the device's zone.
#include "mooncalc/moon_zodiac_sign_calculator.h"
#include "mooncalc_test_support.h"
#include "platform/core/julian_day.h"
#include "platform/core/swiss_ephemeris.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <variant>

namespace mooncalc {
namespace {

using S = MoonZodiacSign;

TEST(MoonZodiacSign, TheTableOfUnevenBounds) {
    const std::pair<double, S> cases[] = {
        {-8.3, S::aries},         {0.0, S::aries},          {33.17, S::aries},        {33.18, S::taurus},
        {51.16, S::gemini},       {93.44, S::cancer},       {119.48, S::leo},         {135.3, S::virgo},
        {173.34, S::libra},       {224.17, S::scorpio},     {242.57, S::sagittarius}, {271.26, S::capricorn},
        {302.49, S::aquarius},    {311.72, S::pisces},      {348.57, S::pisces},      {348.58, S::aries},
        {368.3, S::aries},
    };
    for (const auto& [longitude, sign] : cases)
        EXPECT_EQ(MoonZodiacSignCalculator::signOfLongitude(longitude), sign) << longitude;
    EXPECT_EQ(MoonZodiacSignCalculator::signOfLongitude(std::numeric_limits<double>::quiet_NaN()), S::aries);
}

TEST(MoonZodiacSign, OneSignForEveryInstantOfALocalDay) {
    const MoonZodiacSignCalculator calculator;
    for (int day = 1; day <= 60; ++day) {
        const S sign = calculator.getMoonZodiacSign(mooncalc_test::local(2024, 1, day));
        EXPECT_EQ(calculator.getMoonZodiacSign(mooncalc_test::local(2024, 1, day, 23, 59, 59)), sign) << day;
    }
}

// The mean-motion longitude follows the Moon: near the Swiss Ephemeris's
// tropical longitude at 12:00 UT of the local date, over 2024 (within 1.5
// degrees; the largest terms left out are a few tenths of a degree each).
TEST(MoonZodiacSign, TheApproximateLongitudeFollowsTheMoon) {
    double worst = 0.0;
    for (int day = 1; day <= 366; ++day) {
        const platform::Date noon = mooncalc_test::local(2024, 1, day, 12);
        const double longitude = MoonZodiacSignCalculator::approximateLongitude(noon);
        ASSERT_GT(longitude, -8.4);
        ASSERT_LT(longitude, 368.4);
        const platform::Date noonUT = mooncalc_test::utc(2024, 1, day, 12);
        const auto moon = swisseph::calculateUT(astronomy::JulianDay::of(noonUT).value, swisseph::body::moon, 0);
        ASSERT_TRUE(std::holds_alternative<swisseph::Position>(moon));
        const double difference = std::remainder(longitude - std::get<swisseph::Position>(moon).values[0], 360.0);
        worst = std::max(worst, std::fabs(difference));
    }
    EXPECT_LT(worst, 1.5);
    EXPECT_TRUE(std::isnan(MoonZodiacSignCalculator::approximateLongitude(
        platform::Date::fromSecondsSince1970(std::numeric_limits<double>::infinity()))));
}

} // namespace
} // namespace mooncalc
