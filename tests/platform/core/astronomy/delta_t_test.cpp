// The model delta T, which the eclipse search takes (and the seasons while the
// Swiss Ephemeris library may not be asked), against the library's own delta T
// and against observed values.

#include "platform/core/delta_t.h"
#include "platform/core/julian_day_numbers.h"
#include "platform/core/swiss_ephemeris.h"

#include <gtest/gtest.h>

#include <cmath>

namespace astronomy {
namespace {

double seconds(double days) { return days * 86400.0; }

// 1 July of the year, where each year's delta T is usually quoted.
double midYear(int year) { return julianDayOfNewYear(year) + 181.5; }

TEST(ModelDeltaT, MatchesObservedValues) {
    // Delta T at the start of the year from the Astronomical Almanac's table of
    // observed values (1900.0 -2.72 s, 1950.0 29.15 s, 2000.0 63.83 s); within
    // a second, the spread between the model's smooth curve and the observations.
    EXPECT_NEAR(seconds(modelDeltaT(julianDayOfNewYear(1900))), -2.72, 1.0);
    EXPECT_NEAR(seconds(modelDeltaT(julianDayOfNewYear(1950))), 29.15, 1.0);
    EXPECT_NEAR(seconds(modelDeltaT(julianDayOfNewYear(2000))), 63.83, 1.0);
}

TEST(ModelDeltaT, FollowsTheLibraryWhereHistoryIsKnown) {
    // 1700 to 2020, telescopic timings: within 6 s.
    for (int year = 1700; year <= 2020; ++year)
        ASSERT_NEAR(seconds(modelDeltaT(midYear(year))), seconds(swisseph::deltaT(midYear(year))), 6.0) << year;
    // The 17th century: within 35 s.
    for (int year = 1600; year < 1700; ++year)
        ASSERT_NEAR(seconds(modelDeltaT(midYear(year))), seconds(swisseph::deltaT(midYear(year))), 35.0) << year;
    // -3000 to 1600, from eclipse records the two models read differently:
    // within 13 minutes.
    for (int year = -3000; year < 1600; year += 10)
        ASSERT_NEAR(seconds(modelDeltaT(midYear(year))), seconds(swisseph::deltaT(midYear(year))), 780.0) << year;
}

TEST(ModelDeltaT, CarriesOnAsAParabolaAndPassesNotANumberOn) {
    // Morrison and Stephenson's -20 + 32 u^2 s, u in centuries from 1820, in
    // both directions: 1 July -9980 and 11620 lie 118 centuries from 1820.
    EXPECT_NEAR(seconds(modelDeltaT(midYear(-9980))), -20.0 + 32.0 * 118.0 * 118.0, 600.0);
    EXPECT_NEAR(seconds(modelDeltaT(midYear(13620))), -20.0 + 32.0 * 118.0 * 118.0, 600.0);
    EXPECT_TRUE(std::isfinite(modelDeltaT(earliestJulianDay)));
    EXPECT_TRUE(std::isfinite(modelDeltaT(latestJulianDay)));
    EXPECT_TRUE(std::isnan(modelDeltaT(std::nan(""))));
}

} // namespace
} // namespace astronomy
