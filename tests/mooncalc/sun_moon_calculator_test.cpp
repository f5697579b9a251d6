// The device runs in UTC; the cases about other zones pin them.
#include "mooncalc/sun_moon_calculator.h"
#include "mooncalc_test_support.h"
#include "platform/core/julian_day.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace mooncalc {
namespace {

using mooncalc_test::utc;
using mooncalc_test::utcOnCalendar;
using mooncalc_test::utcMinute;

constexpr ObserverLocation london{51.509865, -0.118092};
constexpr double pi = std::numbers::pi;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

SunMoonCalculator calculated(platform::Date date, ObserverLocation where) {
    auto calculator = SunMoonCalculator::make(date, where);
    EXPECT_TRUE(calculator) << utcMinute(date);
    if (!calculator) return *SunMoonCalculator::make(utc(2000, 1, 1), where);
    calculator->calcSunAndMoon();
    return *calculator;
}

std::optional<double> refusedJulianDay(platform::Date date, ObserverLocation where = london) {
    const auto calculator = SunMoonCalculator::make(date, where);
    if (calculator) return std::nullopt;
    return calculator.error().jd;
}

TEST(SunMoonConstruction, JulianDayAndTTMinusUTOfJ2000) {
    const auto calculator = SunMoonCalculator::make(utc(2000, 1, 1, 12), london);
    ASSERT_TRUE(calculator);
    EXPECT_EQ(calculator->julianDayUT(), 2451545.0);
    EXPECT_NEAR(calculator->ttMinusUT(), 51.923, 0.0005);   // seconds
}

TEST(SunMoonConstruction, TTMinusUTIsZeroFromTheYearMinus600AndFrom2200) {
    EXPECT_EQ(SunMoonCalculator::make(utcOnCalendar(-600, 6, 1), london)->ttMinusUT(), 0.0);
    EXPECT_EQ(SunMoonCalculator::make(utcOnCalendar(2200, 6, 1), london)->ttMinusUT(), 0.0);
    // Just inside: the early polynomial gives hours, the late one minutes.
    EXPECT_GT(SunMoonCalculator::make(utcOnCalendar(-599, 6, 1), london)->ttMinusUT(), 10000.0);
    EXPECT_GT(SunMoonCalculator::make(utcOnCalendar(2199, 6, 1), london)->ttMinusUT(), 60.0);
    // A rough fit: within 20 s of the observed -2.7 s of 1900 and 69.2 s of 2024.
    EXPECT_NEAR(SunMoonCalculator::make(utc(1900, 1, 1), london)->ttMinusUT(), -2.7, 20.0);
    EXPECT_NEAR(SunMoonCalculator::make(utc(2024, 1, 1), london)->ttMinusUT(), 69.2, 20.0);
}

TEST(SunMoonConstruction, BothSidesOfTheCalendarReform) {
    // 15 October 1582 is Gregorian; 4 October, the day before, Julian.
    EXPECT_EQ(SunMoonCalculator::make(utcOnCalendar(1582, 10, 15), london)->julianDayUT(), 2299160.5);
    EXPECT_EQ(refusedJulianDay(utcOnCalendar(1582, 10, 4)), 2299159.5);
    // The refused days run from 24 September 12:00 to 4 October 12:00 (Julian).
    EXPECT_NEAR(SunMoonCalculator::make(utcOnCalendar(1582, 9, 24, 11, 59, 59), london)->julianDayUT(),
                2299150.0 - 1.0 / 86400, 1e-9);
    EXPECT_EQ(refusedJulianDay(utcOnCalendar(1582, 9, 24, 12)), 2299150.0);
    EXPECT_NEAR(refusedJulianDay(utcOnCalendar(1582, 10, 4, 11, 59, 59)).value_or(0), 2299160.0 - 1.0 / 86400, 1e-9);
    EXPECT_EQ(SunMoonCalculator::make(utcOnCalendar(1582, 10, 4, 12), london)->julianDayUT(), 2299160.0);
    EXPECT_TRUE(SunMoonCalculator::make(utcOnCalendar(1000, 3, 1), london));
}

// The calculator's own calendar-to-Julian-day formula and the program's Julian
// day of an instant agree wherever both hold: from -12000 to 3000, on either
// side of the reform and of the Julian days' epoch in -4712, to a millisecond;
// and the calendar fields of that Julian day are the instant's own.
TEST(SunMoonConstruction, JulianDayAgreesWithTheProgramsConversion) {
    for (std::int64_t year = -12000; year <= 3000; year += 7) {
        for (int month = 1; month <= 12; month += 5) {
            const platform::Date date = utcOnCalendar(year, month, 1 + (year + 12000) % 28, 17, 31, 7);
            const double expected = astronomy::JulianDay::of(date).value;
            if (expected >= 2299150.0 && expected < 2299160.0) continue;
            const auto calculator = SunMoonCalculator::make(date, london);
            ASSERT_TRUE(calculator) << year;
            ASSERT_NEAR(calculator->julianDayUT(), expected, 1e-8) << year << '-' << month;
            const auto fields = SunMoonCalculator::getDate(calculator->julianDayUT());
            ASSERT_TRUE(fields) << year;
            ASSERT_EQ((*fields)[0], year);
            ASSERT_EQ((*fields)[1], month);
            ASSERT_EQ((*fields)[2], 1 + (year + 12000) % 28) << year << '-' << month;
        }
    }
}

TEST(SunMoonConstruction, RefusesWhatItCannotComputeWithTheJulianDay) {
    EXPECT_TRUE(std::isnan(*refusedJulianDay(platform::Date::fromSecondsSince1970(nan))));
    EXPECT_EQ(refusedJulianDay(platform::Date::fromSecondsSince1970(infinity)), infinity);
    EXPECT_TRUE(refusedJulianDay(platform::Date::fromSecondsSince1970(1e300)));
    const platform::Date date = utc(2024, 5, 1);
    const double jd = astronomy::JulianDay::of(date).value;
    EXPECT_EQ(refusedJulianDay(date, {nan, 0.0}), jd);
    EXPECT_EQ(refusedJulianDay(date, {51.5, infinity}), jd);
    EXPECT_EQ(refusedJulianDay(date, {-infinity, 0.0}), jd);
    // No place on the Earth lies beyond a pole; any longitude is an angle.
    EXPECT_EQ(refusedJulianDay(date, {90.5, 0.0}), jd);
    EXPECT_EQ(refusedJulianDay(date, {-1e300, 0.0}), jd);
    EXPECT_FALSE(refusedJulianDay(date, {-90.0, 1e22}));
}

TEST(SunMoonResults, NotANumberUntilCalculated) {
    auto calculator = SunMoonCalculator::make(utc(2024, 5, 1), london);
    ASSERT_TRUE(calculator);
    for (double field : {calculator->sunAz, calculator->sunEl, calculator->sunRise, calculator->sunSet,
                         calculator->sunTransit, calculator->sunTransitElev, calculator->sunDist, calculator->moonAz,
                         calculator->moonEl, calculator->moonRise, calculator->moonSet, calculator->moonTransit,
                         calculator->moonAge, calculator->moonTransitElev, calculator->moonDist})
        EXPECT_TRUE(std::isnan(field));
}

// London on 20 June 2024 (an almanac: sunrise 03:43, transit 12:02, sunset
// 20:21 UTC; the Sun 1.01617 AU away).
TEST(SunMoonResults, TheSunOverLondonAtMidsummer) {
    SunMoonCalculator c = calculated(utc(2024, 6, 20, 12), london);
    EXPECT_EQ(utcMinute(astronomy::JulianDay{c.sunRise}.date()), "2024-06-20 03:43");
    EXPECT_EQ(utcMinute(astronomy::JulianDay{c.sunTransit}.date()), "2024-06-20 12:02");
    EXPECT_EQ(utcMinute(astronomy::JulianDay{c.sunSet}.date()), "2024-06-20 20:21");
    EXPECT_NEAR(c.sunDist, 1.01617, 0.00002);
    // At transit the Sun stands 90 - 51.51 + 23.44 degrees high, refraction aside.
    EXPECT_NEAR(c.sunTransitElev * 180 / pi, 61.93, 0.03);
    EXPECT_NEAR(c.sunAz * 180 / pi, 179.0, 0.5);   // two minutes before transit: just east of south
    EXPECT_NEAR(c.sunEl, c.sunTransitElev, 0.001);
    // calcSunAndMoon leaves the instant as it found it: a second call gives the same.
    const double moonRise = c.moonRise;
    const double age = c.moonAge;
    c.calcSunAndMoon();
    EXPECT_EQ(c.moonRise, moonRise);
    EXPECT_EQ(c.moonAge, age);
    EXPECT_EQ(c.julianDayUT(), astronomy::JulianDay::of(utc(2024, 6, 20, 12)).value);
}

TEST(SunMoonResults, MoonAgeByElongationAtNewAndFullMoon) {
    // New moon 2024-04-08 18:21 UT, full moon 2024-03-25 07:00 UT.
    const double atNewMoon = calculated(utc(2024, 4, 8, 18, 21), london).moonAge;
    EXPECT_LT(std::min(atNewMoon, 29.530588853 - atNewMoon), 0.02);   // days
    EXPECT_NEAR(calculated(utc(2024, 3, 25, 7, 0), london).moonAge, 29.530588853 / 2, 0.02);
    // The Moon at 0.0024 to 0.0027 AU (357,000 to 407,000 km).
    const double distance = calculated(utc(2024, 3, 25, 7, 0), london).moonDist;
    EXPECT_GT(distance, 0.00238);
    EXPECT_LT(distance, 0.00273);
}

TEST(SunMoonResults, AtEightyDegreesNorthTheMoonStaysUpOrDownWithATransit) {
    constexpr ObserverLocation svalbard{80.0, 15.0};
    const SunMoonCalculator up = calculated(utc(2024, 1, 21, 12), svalbard);
    EXPECT_EQ(up.moonRise, -1.0);
    EXPECT_EQ(up.moonSet, -1.0);
    EXPECT_GT(up.moonEl, 0.0);
    EXPECT_NE(up.moonTransit, -1.0);
    EXPECT_NEAR(up.moonTransitElev * 180 / pi, 36.2, 0.5);
    const SunMoonCalculator down = calculated(utc(2024, 1, 9, 12), svalbard);
    EXPECT_EQ(down.moonRise, -1.0);
    EXPECT_EQ(down.moonSet, -1.0);
    EXPECT_LT(down.moonEl, 0.0);
    EXPECT_NE(down.moonTransit, -1.0);
    // Midnight sun: no sunrise or sunset, still a transit at 80 - 66.56 degrees high.
    const SunMoonCalculator summer = calculated(utc(2024, 6, 21, 12), svalbard);
    EXPECT_EQ(summer.sunRise, -1.0);
    EXPECT_EQ(summer.sunSet, -1.0);
    EXPECT_NEAR(summer.sunTransitElev * 180 / pi, 33.5, 0.1);
    const SunMoonCalculator winter = calculated(utc(2024, 12, 21, 12), svalbard);
    EXPECT_EQ(winter.sunRise, -1.0);
    EXPECT_NE(winter.sunTransit, -1.0);
}

// Some 205,000 years ago the theory's obliquity swings by degrees an hour and
// the refinement of the moonset walks four days on: no event of the instant.
TEST(SunMoonResults, NoEventSettlesDaysFromTheInstant) {
    const SunMoonCalculator c = calculated(platform::Date::fromSecondsSince1970(-6531929919496.0742), {0.0, 0.0});
    for (const double event : {c.sunRise, c.sunSet, c.sunTransit, c.moonRise, c.moonSet, c.moonTransit})
        EXPECT_TRUE(event == -1.0 || std::fabs(event - c.julianDayUT()) < 2.0) << event - c.julianDayUT();
}

// The same instant gives the same positions and events on a device in any
// zone: the instant is read in UTC.
TEST(SunMoonResults, TheDevicesZoneChangesNothing) {
    const platform::Date instant = utc(2024, 1, 11, 21, 30);
    const SunMoonCalculator inUtc = calculated(instant, london);
    for (const char* zone : {"Europe/Moscow", "America/New_York", "Asia/Tokyo"}) {
        const mooncalc_test::ZoneOverride pinned(zone);
        const SunMoonCalculator there = calculated(instant, london);
        EXPECT_EQ(there.julianDayUT(), inUtc.julianDayUT()) << zone;
        EXPECT_EQ(there.moonRise, inUtc.moonRise) << zone;
        EXPECT_EQ(there.moonSet, inUtc.moonSet) << zone;
        EXPECT_EQ(there.moonTransit, inUtc.moonTransit) << zone;
        EXPECT_EQ(there.sunRise, inUtc.sunRise) << zone;
        EXPECT_EQ(there.moonAz, inUtc.moonAz) << zone;
        EXPECT_EQ(there.moonAge, inUtc.moonAge) << zone;
    }
}

TEST(SunMoonDates, CalendarFieldsOfJulianDays) {
    using Fields = std::array<std::int64_t, 6>;
    EXPECT_EQ(*SunMoonCalculator::getDate(2451545.0), (Fields{2000, 1, 1, 12, 0, 0}));
    EXPECT_EQ(*SunMoonCalculator::getDate(2415020.5), (Fields{1900, 1, 1, 0, 0, 0}));
    EXPECT_EQ(*SunMoonCalculator::getDate(-1.0), (Fields{-4713, 12, 31, 12, 0, 0}));
    EXPECT_EQ(*SunMoonCalculator::getDate(2299160.5), (Fields{1582, 10, 15, 0, 0, 0}));
    EXPECT_EQ(*SunMoonCalculator::getDate(2299149.5), (Fields{1582, 9, 24, 0, 0, 0}));   // Julian
    for (double refused : {2299155.0, 2299150.0, 2299159.999, nan, infinity, -infinity, 1e300, -3e9})
        EXPECT_FALSE(SunMoonCalculator::getDate(refused)) << refused;
    EXPECT_EQ(SunMoonCalculator::getDate(2299155.0).error().jd, 2299155.0);
}

// Before the epoch of Julian days (-4712) the integer parts are taken towards
// the past: truncated, the dates would move by a day and, on the way back, to
// months below 1.
TEST(SunMoonDates, NegativeJulianDays) {
    using Fields = std::array<std::int64_t, 6>;
    EXPECT_EQ(SunMoonCalculator::make(utcOnCalendar(-4998, 3, 1, 12), london)->julianDayUT(), -104402.0);
    EXPECT_EQ(*SunMoonCalculator::getDate(-104402.0), (Fields{-4998, 3, 1, 12, 0, 0}));
    EXPECT_EQ(*SunMoonCalculator::getDate(-1402.0), (Fields{-4716, 2, 29, 12, 0, 0}));   // a Julian leap year
    EXPECT_EQ(*SunMoonCalculator::getDate(-100000.25), (Fields{-4986, 3, 20, 6, 0, 0}));
}

TEST(SunMoonDates, NormalizeRadians) {
    EXPECT_DOUBLE_EQ(SunMoonCalculator::normalizeRadians(-0.5), 2 * pi - 0.5);
    EXPECT_DOUBLE_EQ(SunMoonCalculator::normalizeRadians(7.0), 7.0 - 2 * pi);
    EXPECT_DOUBLE_EQ(SunMoonCalculator::normalizeRadians(-7.0), 4 * pi - 7.0);
    EXPECT_EQ(SunMoonCalculator::normalizeRadians(1.0), 1.0);
    EXPECT_NEAR(SunMoonCalculator::normalizeRadians(1000.0), std::fmod(1000.0, 2 * pi), 1e-12);
    EXPECT_NEAR(SunMoonCalculator::normalizeRadians(-1000.0), 2 * pi - std::fmod(1000.0, 2 * pi), 1e-12);
    EXPECT_TRUE(std::isnan(SunMoonCalculator::normalizeRadians(nan)));
    // Far from zero the angle still lands within one turn, and a hair below
    // zero is zero rather than a whole turn.
    EXPECT_EQ(SunMoonCalculator::normalizeRadians(1e18), std::fmod(1e18, 2 * pi));
    EXPECT_EQ(SunMoonCalculator::normalizeRadians(-1e18), std::fmod(-1e18, 2 * pi) + 2 * pi);
    EXPECT_EQ(SunMoonCalculator::normalizeRadians(-1e-20), 0.0);
}

} // namespace
} // namespace mooncalc
