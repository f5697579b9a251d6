// Runs once per time zone (UTC, London, New York, Sydney, Kiritimati).
#include "platform/core/calendar.h"
#include "platform/core/earth.h"
#include "platform/core/julian_day.h"
#include "support/dates.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <optional>

namespace astronomy {
namespace {

using platform::Calendar;
using platform::Date;
using platform::TimeZone;

std::optional<Date> localDate(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return Calendar::current().date(testsupport::ymdhms(year, month, day, hour, minute, second));
}

std::array<JulianDay, 4> eventsOf(const Earth& earth) {
    return {earth.equinox(Equinox::march), earth.solstice(Solstice::june), earth.equinox(Equinox::september),
            earth.solstice(Solstice::december)};
}

// What the program does with an event: its UTC fields, back through the user's
// calendar with the UTC zone.
std::optional<Date> rebuilt(JulianDay event) {
    const UtcFields utc = utcFields(event.date());
    return Calendar::current().date({.timeZone = TimeZone::utc(), .year = utc.year, .month = utc.month,
                                     .day = utc.day, .hour = utc.hour, .minute = utc.minute, .second = utc.second});
}

TEST(Earth, EveryLocalYearBoundaryIsTheCalendarsOwn) {
    // Local mean time before the zones' first rules has odd seconds (Sydney
    // +10:04:52); the Julian day of such a midnight comes back a hair early or late.
    for (int year = -3000; year <= 3000; ++year) {
        const auto newYear = localDate(year, 1, 1);
        ASSERT_TRUE(newYear) << year;
        ASSERT_EQ(Earth(JulianDay::of(*newYear)).year(), year);
        ASSERT_EQ(Earth(JulianDay::of(newYear->addingTimeInterval(-1.0))).year(), year - 1);
    }
}

TEST(Earth, KiritimatiNewYearLiesInTheOldUtcYearYetNamesTheNewOne) {
    const auto kiritimati = TimeZone::withIdentifier("Pacific/Kiritimati");
    ASSERT_TRUE(kiritimati);
    struct Restore {
        ~Restore() { TimeZone::setCurrentOverride(std::nullopt); }
    } restore;
    TimeZone::setCurrentOverride(kiritimati);
    const auto newYear = localDate(2024, 1, 1);
    ASSERT_TRUE(newYear);
    EXPECT_EQ(utcFields(*newYear), (UtcFields{2023, 12, 31, 10, 0, 0}));
    const Earth earth(JulianDay::of(*newYear));
    EXPECT_EQ(earth.year(), 2024);
    EXPECT_EQ(utcFields(earth.solstice(Solstice::december).date()).year, 2024);
}

TEST(Earth, AChangeOfZoneIsSeenByTheNextEarthOfTheSameDay) {
    // 31 December 2023, 12:00 UTC is already 1 January 2024 in Kiritimati (UTC+14).
    const auto kiritimati = TimeZone::withIdentifier("Pacific/Kiritimati");
    ASSERT_TRUE(kiritimati);
    struct Restore {
        ~Restore() { TimeZone::setCurrentOverride(std::nullopt); }
    } restore;
    const JulianDay noon{2460310.0};
    TimeZone::setCurrentOverride(TimeZone::utc());
    const Earth inUtc(noon);
    EXPECT_EQ(inUtc.year(), 2023);
    EXPECT_EQ(utcFields(inUtc.equinox(Equinox::march).date()).year, 2023);
    TimeZone::setCurrentOverride(kiritimati);
    const Earth inKiritimati(noon);
    EXPECT_EQ(inKiritimati.year(), 2024);
    EXPECT_EQ(utcFields(inKiritimati.equinox(Equinox::march).date()).year, 2024);
    TimeZone::setCurrentOverride(TimeZone::utc());
    EXPECT_EQ(Earth(noon).equinox(Equinox::march), inUtc.equinox(Equinox::march));
}

TEST(Earth, LocalNewYearGivesThatYearsEventsToTheSecond) {
    // The engine's path: local midnight of 1 January in, UTC fields out, rebuilt
    // through the user's calendar with the UTC zone.
    for (int year : {1, 1582, 1583, 1800, 2000, 2024, 2038, 2285, 2399, 3000}) {
        const auto newYear = localDate(year, 1, 1);
        ASSERT_TRUE(newYear);
        const Earth earth(JulianDay::of(*newYear));
        ASSERT_EQ(earth.year(), year);
        const std::array months{3, 6, 9, 12};
        const auto events = eventsOf(earth);
        for (std::size_t i = 0; i < events.size(); ++i) {
            const auto instant = rebuilt(events[i]);
            ASSERT_TRUE(instant) << year;
            EXPECT_EQ(instant->secondsSince1970(), std::floor(events[i].date().secondsSince1970())) << year;
            EXPECT_EQ(utcFields(*instant).year, year);
            EXPECT_EQ(utcFields(*instant).month, months[i]) << year;
        }
    }
}

TEST(Earth, SeasonLengthsSpanTheEventsOfTheDatesYear) {
    // From the published minutes of 2024 and March 2025: spring 92d 17h45m,
    // summer 93d 15h53m, autumn 89d 20h36m, winter 88d 23h41m.
    const auto midsummer = localDate(2024, 7, 14, 15, 30);
    ASSERT_TRUE(midsummer);
    const Earth earth(JulianDay::of(*midsummer));
    constexpr double twoMinutes = 2.0 / 1440.0;
    EXPECT_NEAR(earth.seasonLength(SeasonIndex::spring, true), 92.7396, twoMinutes);
    EXPECT_NEAR(earth.seasonLength(SeasonIndex::summer, true), 93.6618, twoMinutes);
    EXPECT_NEAR(earth.seasonLength(SeasonIndex::autumn, true), 89.8583, twoMinutes);
    EXPECT_NEAR(earth.seasonLength(SeasonIndex::winter, true), 88.9868, twoMinutes);

    // The southern seasons are the northern ones half a year on.
    EXPECT_DOUBLE_EQ(earth.seasonLength(SeasonIndex::spring, false), earth.seasonLength(SeasonIndex::autumn, true));
    EXPECT_DOUBLE_EQ(earth.seasonLength(SeasonIndex::summer, false), earth.seasonLength(SeasonIndex::winter, true));
    EXPECT_DOUBLE_EQ(earth.seasonLength(SeasonIndex::autumn, false), earth.seasonLength(SeasonIndex::spring, true));
    EXPECT_DOUBLE_EQ(earth.seasonLength(SeasonIndex::winter, false), earth.seasonLength(SeasonIndex::summer, true));

    // Every date of the year gives the same lengths.
    for (auto date : {localDate(2024, 1, 1), localDate(2024, 12, 31, 23, 59, 59)}) {
        ASSERT_TRUE(date);
        EXPECT_DOUBLE_EQ(Earth(JulianDay::of(*date)).seasonLength(SeasonIndex::summer, true),
                         earth.seasonLength(SeasonIndex::summer, true));
    }
}

TEST(Earth, FourSeasonsMakeAYear) {
    double total = 0.0;
    for (int year = 2000; year < 2400; ++year) {
        const Earth earth(JulianDay::of(*localDate(year, 6, 1)));
        double sum = 0.0;
        for (SeasonIndex s : {SeasonIndex::spring, SeasonIndex::summer, SeasonIndex::autumn, SeasonIndex::winter})
            sum += earth.seasonLength(s, true);
        // One year from March equinox to March equinox; the Moon and the planets
        // move single equinoxes by up to a quarter of an hour.
        ASSERT_NEAR(sum, 365.2424, 20.0 / 1440.0) << year;
        total += sum;
    }
    // On average the equinox year (Meeus: 365.2424 days at J2000), within a minute.
    EXPECT_NEAR(total / 400.0, 365.2424, 1.0 / 1440.0);
}

TEST(Earth, FarYearsOfTheCalendarGiveOrderedFiniteEvents) {
    for (int year : {-900'000, -5000, -3001, 0, 3001, 10'000, 900'000}) {
        const auto newYear = localDate(year, 1, 1);
        if (!newYear)
            continue;   // beyond what this calendar represents
        const Earth earth(JulianDay::of(*newYear));
        EXPECT_EQ(earth.year(), year);
        double previous = -INFINITY;
        for (JulianDay event : eventsOf(earth)) {
            ASSERT_TRUE(std::isfinite(event.value)) << year;
            EXPECT_GT(event.value, previous) << year;
            previous = event.value;
        }
        EXPECT_TRUE(std::isfinite(earth.seasonLength(SeasonIndex::winter, true))) << year;
    }
}

TEST(Earth, JulianDaysThatNameNoDateStillGiveAnAnswer) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double infinity = std::numeric_limits<double>::infinity();
    // Not a day at all: the reference instant 1970-01-01 00:00 UTC, as a Date's default.
    EXPECT_EQ(Earth(JulianDay{nan}).year(), Earth(JulianDay{JulianDay::unixEpoch}).year());
    EXPECT_GT(Earth(JulianDay{infinity}).year(), 5'000'000);
    EXPECT_LT(Earth(JulianDay{-infinity}).year(), -5'000'000);
    for (double value : {nan, infinity, -infinity, 1e300, -1e300}) {
        const Earth earth(JulianDay{value});
        EXPECT_TRUE(std::isfinite(earth.equinox(Equinox::september).value)) << value;
        EXPECT_TRUE(std::isfinite(earth.seasonLength(SeasonIndex::autumn, false))) << value;
    }
}

} // namespace
} // namespace astronomy
