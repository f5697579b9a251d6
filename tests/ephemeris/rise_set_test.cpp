// Rise and set instants from swe_rise_trans (SEFLG_SWIEPH, no option bits)
// called directly once, in a scratch program, for London (51.509865 N,
// 0.118092 W, sea level) from 2024-03-20 00:00 UTC.

#include "ephemeris/fixed_star.h"
#include "ephemeris/lunar_north_node.h"
#include "ephemeris/planet.h"
#include "ephemeris/rise_set.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace ephemeris;
using ephemeris_test::utc;

namespace {

constexpr double latitude = 51.509865;
constexpr double longitude = -0.118092;
const platform::Date midnight = utc(2024, 3, 20);

} // namespace

TEST(RiseAndSet, SunInLondonAtTheEquinox) {
    const RiseTime<Planet> rise(midnight, Planet::sun, longitude, latitude, 0.0, 1013.25, 10.0);
    ASSERT_TRUE(rise.date());
    EXPECT_NEAR(rise.date()->secondsSince1970(), 1710914532.1720853, 1e-3);   // 06:02:12 UTC

    const SetTime<Planet> set(midnight, Planet::sun, longitude, latitude, 0.0, 1013.25, 10.0);
    ASSERT_TRUE(set.date());
    EXPECT_NEAR(set.date()->secondsSince1970(), 1710958461.9959683, 1e-3);    // 18:14:21 UTC
    EXPECT_LT(*rise.date(), *set.date());

    // Zero pressure: the library estimates it from the altitude.
    const RiseTime<Planet> estimated(midnight, Planet::sun, longitude, latitude, 0.0, 0.0, 0.0);
    ASSERT_TRUE(estimated.date());
    EXPECT_NEAR(estimated.date()->secondsSince1970(), 1710914518.3147476, 1e-3);

    // Just after a rise, the next one is the following morning's.
    const RiseTime<Planet> next(rise.date()->addingTimeInterval(60.0), Planet::sun, longitude, latitude, 0.0,
                                1013.25, 10.0);
    ASSERT_TRUE(next.date());
    EXPECT_NEAR(next.date()->timeIntervalSince(*rise.date()), 86400.0, 300.0);
}

TEST(RiseAndSet, NoEvent) {
    // The midnight Sun at 80 N near the June solstice.
    const platform::Date june = utc(2024, 6, 20);
    EXPECT_FALSE((RiseTime<Planet>(june, Planet::sun, 0.0, 80.0, 0.0, 0.0, 0.0).date()));
    EXPECT_FALSE((SetTime<Planet>(june, Planet::sun, 0.0, 80.0, 0.0, 0.0, 0.0).date()));

    // A fixed star is not searched for.
    EXPECT_FALSE((RiseTime<FixedStar>(midnight, FixedStar::sirius, longitude, latitude, 0.0, 0.0, 0.0).date()));
    EXPECT_FALSE((SetTime<FixedStar>(midnight, FixedStar::sirius, longitude, latitude, 0.0, 0.0, 0.0).date()));

    // Places and instants that do not exist.
    EXPECT_FALSE((RiseTime<Planet>(midnight, Planet::sun, longitude, 95.0, 0.0, 0.0, 0.0).date()));
    EXPECT_FALSE((RiseTime<Planet>(midnight, Planet::sun, std::nan(""), latitude, 0.0, 0.0, 0.0).date()));
    EXPECT_FALSE((RiseTime<Planet>(platform::Date::fromSecondsSince1970(std::nan("")), Planet::sun, longitude,
                                   latitude, 0.0, 0.0, 0.0)
                      .date()));
    EXPECT_FALSE((RiseTime<Planet>(platform::Date::fromSecondsSince1970(1e200), Planet::sun, longitude, latitude, 0.0,
                                   0.0, 0.0)
                      .date()));
}

TEST(RiseAndSet, OtherNumberedBodies) {
    EXPECT_TRUE((RiseTime<Planet>(midnight, Planet::moon, longitude, latitude, 0.0, 0.0, 0.0).date()));
    EXPECT_TRUE((SetTime<Planet>(midnight, Planet::jupiter, longitude, latitude, 0.0, 0.0, 0.0).date()));
}
