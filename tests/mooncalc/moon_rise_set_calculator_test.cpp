// The device runs in UTC; the cases about other zones pin them.
#include "mooncalc/moon_rise_set_calculator.h"
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
using mooncalc_test::utcMinute;
using mooncalc_test::utcOnCalendar;

constexpr ObserverLocation london{51.509865, -0.118092};

bool failedWith(const RiseSetResult& result, RiseSetErrorReason reason) {
    return !result && std::holds_alternative<RiseSetErrorReason>(result.error()) &&
           std::get<RiseSetErrorReason>(result.error()) == reason;
}

std::optional<double> refusedJulianDay(const RiseSetResult& result) {
    if (result || !std::holds_alternative<InvalidJulianDay>(result.error())) return std::nullopt;
    return std::get<InvalidJulianDay>(result.error()).jd;
}

// The Swiss Ephemeris library's moonrise or moonset after an instant, in London.
platform::Date libraryEvent(platform::Date after, bool rise) {
    const auto found = swisseph::riseOrSet(astronomy::JulianDay::of(after).value, swisseph::body::moon, rise,
                                           london.longitude, london.latitude, 0.0);
    EXPECT_TRUE(std::holds_alternative<std::optional<double>>(found));
    const auto* when = std::get_if<std::optional<double>>(&found);
    return when && *when ? astronomy::JulianDay{**when}.date() : platform::Date();
}

// London, 11 January 2024, within 1 minute of the library; whole seconds.
TEST(MoonRiseSet, LondonInJanuaryInWholeSeconds) {
    const MoonRiseSetCalculator calculator(london);
    const RiseSetResult rise = calculator.getMoonRise(utc(2024, 1, 11));
    const RiseSetResult set = calculator.getMoonSet(utc(2024, 1, 11, 12));
    ASSERT_TRUE(rise && set);
    EXPECT_NEAR(rise->timeIntervalSince(libraryEvent(utc(2024, 1, 11), true)), 0.0, 60.0);
    EXPECT_NEAR(set->timeIntervalSince(libraryEvent(utc(2024, 1, 11), false)), 0.0, 60.0);
    EXPECT_EQ(std::fmod(rise->secondsSince1970(), 1.0), 0.0);
    EXPECT_EQ(std::fmod(set->secondsSince1970(), 1.0), 0.0);
}

// From 0h UT the search looks forward; from later in the day, the nearer of the
// last event and the next one, as long as the last one is of the same UT day.
TEST(MoonRiseSet, TheNearerEventOfTheSameUtcDay) {
    const MoonRiseSetCalculator calculator(london);
    const platform::Date rise = calculator.getMoonRise(utc(2024, 1, 11)).value();   // about 08:00
    const platform::Date set = calculator.getMoonSet(utc(2024, 1, 11)).value();     // about 15:40
    EXPECT_EQ(calculator.getMoonRise(utc(2024, 1, 11, 9)).value(), rise);
    EXPECT_EQ(calculator.getMoonSet(utc(2024, 1, 11, 23, 59, 59)).value(), set);
    // Near the day's end the next day's rise is the nearer one.
    EXPECT_EQ(calculator.getMoonRise(utc(2024, 1, 11, 23, 59, 59)).value(),
              calculator.getMoonRise(utc(2024, 1, 12)).value());
    // Just after 0h the last set of the day before is nearer, but of another day.
    EXPECT_EQ(calculator.getMoonSet(utc(2024, 1, 11, 0, 0, 1)).value(), set);
}

TEST(MoonRiseSet, NoEventWhereTheMoonStaysUpOrDown) {
    const MoonRiseSetCalculator svalbard({80.0, 15.0});
    for (const platform::Date date : {utc(2024, 1, 21, 12), utc(2024, 1, 9, 12)}) {
        EXPECT_TRUE(failedWith(svalbard.getMoonRise(date), RiseSetErrorReason::unableToFormDateFromComponents));
        EXPECT_TRUE(failedWith(svalbard.getMoonSet(date), RiseSetErrorReason::unableToFormDateFromComponents));
    }
}

TEST(MoonRiseSet, RefusedDaysOfTheCalendarReformAndBadInput) {
    const MoonRiseSetCalculator calculator(london);
    EXPECT_EQ(refusedJulianDay(calculator.getMoonRise(utcOnCalendar(1582, 10, 1))), 2299156.5);
    EXPECT_EQ(refusedJulianDay(calculator.getMoonSet(utcOnCalendar(1582, 10, 1))), 2299156.5);
    const auto nan = platform::Date::fromSecondsSince1970(std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(refusedJulianDay(calculator.getMoonRise(nan)));
    const MoonRiseSetCalculator nowhere({std::numeric_limits<double>::quiet_NaN(), 0.0});
    EXPECT_TRUE(refusedJulianDay(nowhere.getMoonSet(utc(2024, 1, 11))));
    // On either side of the refused days the events are found, in the Julian
    // calendar before the reform.
    EXPECT_EQ(utcMinute(*calculator.getMoonRise(utcOnCalendar(1582, 10, 15))).substr(0, 10), "1582-10-15");
    EXPECT_EQ(utcMinute(*calculator.getMoonRise(utcOnCalendar(1582, 9, 20))).substr(0, 10), "1582-09-20");
    // And before the epoch of Julian days.
    EXPECT_EQ(utcMinute(*calculator.getMoonRise(utcOnCalendar(-5000, 6, 1))).substr(0, 11), "-5000-06-01");
}

// A longitude of some 10^22 degrees is still an angle, though the sidereal
// time it gives keeps no hour: the search finds no event, or one near the
// instant, never one years away.
TEST(MoonRiseSet, AFarLongitudeGivesNoEventFarFromTheInstant) {
    const platform::Date instant = platform::Date::fromSecondsSince1970(2552941176470.5859);
    const MoonRiseSetCalculator calculator({0.0, 1.56486e22});
    for (const RiseSetResult& found : {calculator.getMoonRise(instant), calculator.getMoonSet(instant)})
        EXPECT_TRUE(!found || std::fabs(found->timeIntervalSince(instant)) < 2 * 86400.0) << utcMinute(*found);
}

TEST(MoonRiseSet, TheDevicesZoneChangesNothing) {
    const MoonRiseSetCalculator calculator(london);
    const platform::Date instant = utc(2024, 1, 11, 21, 30);
    const RiseSetResult rise = calculator.getMoonRise(instant);
    const RiseSetResult set = calculator.getMoonSet(instant);
    ASSERT_TRUE(rise && set);
    for (const char* zone : {"Europe/Moscow", "America/New_York", "Asia/Tokyo"}) {
        const mooncalc_test::ZoneOverride pinned(zone);
        EXPECT_EQ(calculator.getMoonRise(instant).value(), *rise) << zone;
        EXPECT_EQ(calculator.getMoonSet(instant).value(), *set) << zone;
    }
}

TEST(MoonRiseSet, DatesFromCalendarFields) {
    using Fields = std::array<std::int64_t, 6>;
    EXPECT_EQ(MoonRiseSetCalculator::getDateFromComponents(Fields{2000, 1, 1, 12, 0, 0}), utc(2000, 1, 1, 12));
    // The Julian 4 October 1582 is the day before the Gregorian 15 October.
    EXPECT_EQ(MoonRiseSetCalculator::getDateFromComponents(Fields{1582, 10, 4, 0, 0, 0}),
              utc(1582, 10, 15).addingTimeInterval(-86400.0));
    // Fields beyond their range run on.
    EXPECT_EQ(MoonRiseSetCalculator::getDateFromComponents(Fields{2023, 13, 1, 24, 0, 0}), utc(2024, 1, 2));
    EXPECT_EQ(MoonRiseSetCalculator::getDateFromComponents(Fields{2024, 3, 0, 0, 0, -1}), utc(2024, 2, 28, 23, 59, 59));
    EXPECT_FALSE(MoonRiseSetCalculator::getDateFromComponents(Fields{std::int64_t{1} << 62, 1, 1, 0, 0, 0}));
    EXPECT_FALSE(MoonRiseSetCalculator::getDateFromComponents(Fields{7000000, 1, 1, 0, 0, 0}));
}

} // namespace
} // namespace mooncalc
