#include "ephemeris/angular_relation.h"
#include "ephemeris/planet.h"
#include "ephemeris/station.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <unordered_set>

using namespace ephemeris;
using ephemeris_test::utc;
using Kind = Aspect::Kind;

TEST(Aspect, Classification) {
    EXPECT_EQ(Aspect::make(0, 180, 0), Aspect(Kind::opposition, 0));
    EXPECT_EQ(Aspect::make(10, 350, 5), std::nullopt);
    EXPECT_EQ(Aspect::make(10, 350, 20), Aspect(Kind::conjunction, 20));
    EXPECT_EQ(Aspect::make(350, 10, 20), Aspect(Kind::conjunction, 20));
    EXPECT_EQ(Aspect::make(0, 93.5, 5), Aspect(Kind::square, 3.5));
    EXPECT_EQ(Aspect::make(0, 86.5, 5), Aspect(Kind::square, -3.5));
    EXPECT_EQ(Aspect::make(0, 65, 5), Aspect(Kind::sextile, 5));
    EXPECT_EQ(Aspect::make(0, 60.01, 0), std::nullopt);
    EXPECT_EQ(Aspect::make(0, 60, 0), Aspect(Kind::sextile, 0));
    EXPECT_EQ(Aspect::make(0, 30, 35), Aspect(Kind::conjunction, 30));
    EXPECT_EQ(Aspect::make(100, 220.004, 1), Aspect(Kind::trine, 0));
    EXPECT_EQ(Aspect::make(0, 122.346, 3), Aspect(Kind::trine, 2.35));
    EXPECT_EQ(Aspect::make(0, 20, 0), std::nullopt);
    EXPECT_EQ(Aspect::make(0, std::nan(""), 5), std::nullopt);
    EXPECT_EQ(Aspect::make(0, 90, -1), std::nullopt);
    EXPECT_EQ(Aspect::make(0, 90, std::nan("")), std::nullopt);
}

TEST(Aspect, SymbolsEqualityAndHash) {
    EXPECT_EQ(Aspect(Kind::conjunction, 0).symbol(), "☌");
    EXPECT_EQ(Aspect(Kind::sextile, 0).symbol(), "\uFE61");
    EXPECT_EQ(Aspect(Kind::square, 0).symbol(), "\u25FE\uFE0F");
    EXPECT_EQ(Aspect(Kind::trine, 0).symbol(), "▵");
    EXPECT_EQ(Aspect(Kind::opposition, 0).symbol(), "☍");
    EXPECT_NE(Aspect(Kind::square, 1), Aspect(Kind::trine, 1));
    EXPECT_NE(Aspect(Kind::square, 1), Aspect(Kind::square, 2));
    EXPECT_NE(Aspect(Kind::square, std::nan("")), Aspect(Kind::square, std::nan("")));
    const std::unordered_set<Aspect> set{Aspect(Kind::square, 1), Aspect(Kind::square, 1), Aspect(Kind::trine, 1)};
    EXPECT_EQ(set.size(), 2u);
}

TEST(Aspect, BetweenBodies) {
    // The Sun and the Moon of the full Moon of 2024-03-25 07:00 UTC stand in opposition.
    const auto fullMoon = Aspect::make(Pair<Planet, Planet>{Planet::sun, Planet::moon}, utc(2024, 3, 25, 7), 5.0);
    ASSERT_TRUE(fullMoon) << fullMoon.error().message;
    ASSERT_TRUE(*fullMoon);
    EXPECT_EQ((*fullMoon)->kind(), Kind::opposition);
    EXPECT_LE(std::fabs((*fullMoon)->remainder()), 1.0);

    const auto failed = Aspect::make(Pair<Planet, Planet>{Planet::sun, Planet::moon}, utc(20000, 1, 1), 5.0);
    EXPECT_FALSE(failed);
}

TEST(Station, MarsRetrogradeAndTheSunDirect) {
    // Mars by swe_calc_ut (body 4) at 2025-01-10 00:00 UTC: 118.64036439382433,
    // a day later 118.24767643622643.
    const auto mars = Coordinate<Planet>::make(Planet::mars, utc(2025, 1, 10));
    ASSERT_TRUE(mars);
    EXPECT_DOUBLE_EQ(mars->longitude(), 118.64036439382433);
    EXPECT_EQ(makeStation(*mars, 86400.0).value(), Station::retrograde);

    const auto sun = Coordinate<Planet>::make(Planet::sun, utc(2024, 7, 1));
    ASSERT_TRUE(sun);
    EXPECT_EQ(makeStation(*sun, 60.0).value(), Station::direct);
    EXPECT_EQ(makeStation(*sun, 0.0).value(), Station::stationary);
    EXPECT_EQ(makeStation(*sun, -86400.0).value(), Station::retrograde);
    EXPECT_FALSE(makeStation(*sun, std::nan("")));
}

// Through 0 degrees the short way round counts, not the plain difference.
TEST(Station, AcrossZeroDegrees) {
    const auto sun = Coordinate<Planet>::make(Planet::sun, utc(2024, 3, 20, 3, 6));
    ASSERT_TRUE(sun);
    EXPECT_GT(sun->longitude(), 359.0);
    EXPECT_EQ(makeStation(*sun, 60.0).value(), Station::direct);
    EXPECT_EQ(detail::stationOf(359.5, 0.5), Station::direct);
    EXPECT_EQ(detail::stationOf(0.5, 359.5), Station::retrograde);
    EXPECT_EQ(detail::stationOf(10.0, 10.0), Station::stationary);
    EXPECT_EQ(detail::stationOf(std::nan(""), 10.0), Station::stationary);
}
