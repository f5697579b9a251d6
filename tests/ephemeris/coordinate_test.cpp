// Positions against values taken once from the library directly (swe_calc_ut,
// swe_fixstar2 and swe_get_ayanamsa with the same Julian days, in a scratch
// program calling libswe 2.10 with its default path and the Debian data files).

#include "ephemeris/asteroid.h"
#include "ephemeris/ayanamsha.h"
#include "ephemeris/coordinate.h"
#include "ephemeris/fixed_star.h"
#include "ephemeris/julian_date.h"
#include "ephemeris/lunar_north_node.h"
#include "ephemeris/lunar_south_node.h"
#include "ephemeris/pair.h"
#include "ephemeris/planet.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <iterator>
#include <limits>
#include <thread>

using namespace ephemeris;
using ephemeris_test::utc;

namespace {

const platform::Date beforeEquinox = utc(2024, 3, 20, 3, 6);   // 1710903960
const platform::Date afterEquinox = utc(2024, 3, 20, 3, 7);

} // namespace

TEST(JulianDate, ConvertsBothWays) {
    EXPECT_EQ(julianDate(platform::Date::fromSecondsSince1970(0.0)), 2440587.5);
    EXPECT_EQ(julianDate(utc(2000, 1, 1, 12)), 2451545.0);
    EXPECT_EQ(dateFromJulianDate(2451545.0), utc(2000, 1, 1, 12));
    EXPECT_NEAR(dateFromJulianDate(julianDate(beforeEquinox)).secondsSince1970(), beforeEquinox.secondsSince1970(),
                1e-4);
}

TEST(Coordinate, SunAcrossTheMarchEquinox) {
    const auto before = Coordinate<Planet>::make(Planet::sun, beforeEquinox);
    ASSERT_TRUE(before) << before.error().message;
    EXPECT_EQ(before->body(), Planet::sun);
    EXPECT_EQ(before->date(), beforeEquinox);
    EXPECT_DOUBLE_EQ(before->longitude(), 359.99972125416986);
    EXPECT_DOUBLE_EQ(before->latitude(), 0.0001051003098664787);
    EXPECT_DOUBLE_EQ(before->distance(), 0.99586330723872307);
    EXPECT_DOUBLE_EQ(before->speedLongitude(), 0.99348767299183416);
    EXPECT_DOUBLE_EQ(before->speedLatitude(), -1.0625201196318133e-05);
    EXPECT_DOUBLE_EQ(before->speedDistance(), 0.00027385203700294091);
    EXPECT_EQ(before->tropical().value(), before->longitude());
    EXPECT_EQ(before->tropical().sign(), Zodiac::pisces);
    EXPECT_EQ(before->tropical().formatted(), "29 Degrees Pisces ♓︎ 59' 58''");

    const auto after = Coordinate<Planet>::make(Planet::sun, afterEquinox);
    ASSERT_TRUE(after) << after.error().message;
    EXPECT_DOUBLE_EQ(after->longitude(), 0.00041117626573013529);
    EXPECT_EQ(after->tropical().sign(), Zodiac::aries);
    EXPECT_EQ(after->tropical().formatted(), "0 Degrees Aries ♈︎ 0' 1''");
}

TEST(Coordinate, SiderealIsTropicalLessMeanAyanamsha) {
    const auto ayanamsha = Ayanamsha()(beforeEquinox);
    ASSERT_TRUE(ayanamsha);
    EXPECT_DOUBLE_EQ(*ayanamsha, 25.07857823185509);

    const auto sun = Coordinate<Planet>::make(Planet::sun, beforeEquinox);
    ASSERT_TRUE(sun);
    EXPECT_DOUBLE_EQ(sun->sidereal().value(), 334.92114302231477);
    EXPECT_EQ(sun->sidereal().sign(), Zodiac::pisces);
    EXPECT_EQ(sun->sidereal().formatted(), "4 Degrees Pisces ♓︎ 55' 16''");

    // Just past 0 degrees the difference wraps once, not into a negative value.
    const auto after = Coordinate<Planet>::make(Planet::sun, afterEquinox);
    ASSERT_TRUE(after);
    EXPECT_DOUBLE_EQ(after->sidereal().value(), 334.92183291784897);
}

TEST(Ayanamsha, CurrentIsKeptForTheProcess) {
    const auto& current = Ayanamsha::current();
    ASSERT_TRUE(current);
    // Fagan/Bradley in this century: about 25 degrees, growing 50 arc seconds a year.
    EXPECT_GT(*current, 24.9);
    EXPECT_LT(*current, 26.5);
    EXPECT_EQ(&Ayanamsha::current(), &current);
}

TEST(Coordinate, FixedStars) {
    const auto aldebaran = Coordinate<FixedStar>::make(FixedStar::aldebaran, beforeEquinox);
    ASSERT_TRUE(aldebaran) << aldebaran.error().message;
    EXPECT_DOUBLE_EQ(aldebaran->longitude(), 70.124693450955547);
    EXPECT_DOUBLE_EQ(aldebaran->latitude(), -5.4661005628122687);
    EXPECT_DOUBLE_EQ(aldebaran->sidereal().value(), 45.046115219100457);
    EXPECT_EQ(aldebaran->tropical().sign(), Zodiac::gemini);

    const auto centre = Coordinate<FixedStar>::make(FixedStar::galacticCenter, beforeEquinox);
    ASSERT_TRUE(centre) << centre.error().message;
    EXPECT_DOUBLE_EQ(centre->longitude(), 267.18896285155847);
    EXPECT_DOUBLE_EQ(centre->latitude(), -5.610331883568457);
    EXPECT_EQ(centre->tropical().sign(), Zodiac::sagittarius);

    for (const FixedStar star : allCases<FixedStar>())
        EXPECT_TRUE(Coordinate<FixedStar>::make(star, beforeEquinox)) << rawValue(star);
}

// The library keeps its state per thread; a thread's first call must still find
// the star catalogue.
TEST(Coordinate, FirstFixedStarOnAFreshThread) {
    std::optional<double> longitude;
    std::thread worker([&] {
        const auto star = Coordinate<FixedStar>::make(FixedStar::aldebaran, beforeEquinox);
        if (star) longitude = star->longitude();
    });
    worker.join();
    ASSERT_TRUE(longitude);
    EXPECT_DOUBLE_EQ(*longitude, 70.124693450955547);
}

// Each thread opens the data files of its own; a thread that ends closes them.
TEST(Coordinate, FinishedThreadsLeaveNoOpenFiles) {
    const auto openFiles = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                             std::filesystem::directory_iterator());
    };
    const auto before = openFiles();
    for (int i = 0; i < 20; ++i) {
        std::thread worker([] {
            (void)Coordinate<Planet>::make(Planet::moon, beforeEquinox);
            (void)Coordinate<FixedStar>::make(FixedStar::sirius, beforeEquinox);
        });
        worker.join();
    }
    EXPECT_EQ(openFiles(), before);
}

TEST(Coordinate, FailuresAreErrorsNotZeroDegrees) {
    // Beyond the data files (Debian ships 1800 to 2400) and the analytic theory.
    const auto farFuture = Coordinate<Planet>::make(Planet::sun, utc(10000, 1, 1));
    ASSERT_FALSE(farFuture);
    EXPECT_NE(farFuture.error().message.find("sepl_96.se1"), std::string::npos) << farFuture.error().message;

    const auto notADate =
        Coordinate<Planet>::make(Planet::sun, platform::Date::fromSecondsSince1970(std::nan("")));
    ASSERT_FALSE(notADate);
    EXPECT_EQ(notADate.error().message, "the Julian day is not a finite number");

    EXPECT_FALSE(Ayanamsha()(platform::Date::fromSecondsSince1970(std::numeric_limits<double>::infinity())));

    // Finite but far beyond what the library covers: refused before the library
    // is asked (a mean node at this instant used to crash inside it).
    const std::string outside =
        "the Julian day lies outside the span the ephemeris library covers, -3100015.5 to 8000016.5";
    for (const double seconds : {-1e200, 1e200, -1e16, 1e16}) {
        const auto instant = platform::Date::fromSecondsSince1970(seconds);
        const auto node = Coordinate<LunarNorthNode>::make(LunarNorthNode::meanNode, instant);
        ASSERT_FALSE(node);
        EXPECT_EQ(node.error().message, outside);
        const auto star = Coordinate<FixedStar>::make(FixedStar::sirius, instant);
        ASSERT_FALSE(star);
        EXPECT_EQ(star.error().message, outside);
        const auto ayanamsha = Ayanamsha()(instant);
        ASSERT_FALSE(ayanamsha);
        EXPECT_EQ(ayanamsha.error().message, outside);
    }
}

TEST(Bodies, RawValuesAndTexts) {
    EXPECT_EQ(fromRawValue<Planet>(0), Planet::sun);
    EXPECT_EQ(fromRawValue<Planet>(10), std::nullopt);
    EXPECT_EQ(fromRawValue<Asteroid>(14), std::nullopt);
    EXPECT_EQ(fromRawValue<Asteroid>(21), std::nullopt);
    EXPECT_EQ(fromRawValue<Asteroid>(17), Asteroid::ceres);
    EXPECT_EQ(fromRawValue<LunarNorthNode>(11), LunarNorthNode::trueNode);
    EXPECT_EQ(fromRawValue<FixedStar>("aldebaran"), FixedStar::aldebaran);
    EXPECT_EQ(fromRawValue<FixedStar>("Aldebaran"), std::nullopt);
    EXPECT_EQ(allCases<FixedStar>().size(), 15u);
    EXPECT_EQ(value(FixedStar::galacticCenter), "galacticCenter");
    EXPECT_EQ(value(Planet::pluto), 9);

    EXPECT_EQ(formatted(Planet::sun), "☉ Sun");
    EXPECT_EQ(formatted(Planet::mars), "\u2642\uFE0FMars");
    EXPECT_EQ(formatted(Planet::mars).size(), 10u);
    EXPECT_EQ(symbol(Planet::mars), "\u2642\uFE0E");
    EXPECT_EQ(symbol(Planet::moon), "\u263E");
}

// A pair is read, never changed: neither field can be assigned.
template <class P>
concept FieldsAssignable = requires(P pair) {
    pair.a = pair.a;
} || requires(P pair) {
    pair.b = pair.b;
} || std::is_assignable_v<decltype(std::declval<P&>().a()), decltype(std::declval<P&>().a())>;

TEST(Bodies, PairFieldsAreReadOnly) {
    EXPECT_FALSE((FieldsAssignable<Pair<Planet, FixedStar>>));
    EXPECT_FALSE((FieldsAssignable<Pair<Planet, Planet>>));
    const Pair<Planet, FixedStar> pair(Planet::moon, FixedStar::sirius);
    EXPECT_EQ(pair.a(), Planet::moon);
    EXPECT_EQ(pair.b(), FixedStar::sirius);
}

TEST(Bodies, PlanetPairs) {
    const PlanetPairs planetPairs;
    const auto& pairs = planetPairs.pairs();
    ASSERT_EQ(pairs.size(), 45u);
    const auto is = [](const Pair<Planet, Planet>& pair, Planet a, Planet b) { return pair.a() == a && pair.b() == b; };
    EXPECT_TRUE(is(pairs[0], Planet::sun, Planet::moon));
    EXPECT_TRUE(is(pairs[8], Planet::sun, Planet::pluto));
    EXPECT_TRUE(is(pairs[9], Planet::moon, Planet::mercury));
    EXPECT_TRUE(is(pairs[44], Planet::neptune, Planet::pluto));
    for (const auto& pair : pairs) EXPECT_LT(rawValue(pair.a()), rawValue(pair.b()));
}

TEST(Bodies, OtherKindsArePlaced) {
    for (const Asteroid asteroid : allCases<Asteroid>())
        EXPECT_TRUE(Coordinate<Asteroid>::make(asteroid, beforeEquinox)) << rawValue(asteroid);
    for (const Planet planet : allCases<Planet>())
        EXPECT_TRUE(Coordinate<Planet>::make(planet, beforeEquinox)) << rawValue(planet);
}

TEST(LunarSouthNode, OppositeTheNorthNode) {
    // swe_calc_ut for body 10 at the same instant: 16.686992410668886.
    const auto node = Coordinate<LunarNorthNode>::make(LunarNorthNode::meanNode, beforeEquinox);
    ASSERT_TRUE(node);
    EXPECT_DOUBLE_EQ(node->longitude(), 16.686992410668886);
    const auto south = LunarSouthNode::make(*node);
    ASSERT_TRUE(south);
    EXPECT_DOUBLE_EQ(south->tropical().value(), 196.68699241066889);
    EXPECT_DOUBLE_EQ(south->sidereal().value(), 171.6084141788138);
}
