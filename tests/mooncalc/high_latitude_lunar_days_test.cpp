// Runs once per test zone: far north and south the lunar days around days
// without a moonrise, and those whose moonrises lie days away, against the
// Swiss Ephemeris library, on a device in each zone. Whatever the zone, the
// UTC day of the instant decides; the zone decides only how many lunar days
// touch it (one in UTC, mostly two elsewhere).
#include "datehelper/date_arithmetic.h"
#include "library_moon_events.h"
#include "mooncalc/moon_calculator.h"
#include "mooncalc_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace mooncalc {
namespace {

// Where the Moon stays up or down for days in 2024, the year its declination
// reached 28.5 degrees: 64 to 83 degrees north and south.
struct Site {
    const char* name;
    ObserverLocation location;
};
constexpr Site sites[] = {
    {"Fairbanks", {64.84, -147.72}},
    {"Alert", {82.50, -62.35}},
    {"McMurdo", {-77.85, 166.67}},
    {"Mawson", {-67.60, 62.87}},
};

// Asked at 0h and 12h UTC from January to June 2024, each lunar day runs from
// one of the library's moonrises to the next with none left out, the first
// moonrise from the start of the UTC day (a later day's where it has none)
// ends the first, and a bound is absent only where the library has no moonrise
// for it from three UTC days before the day to two after (see expectLunarDays).
// Fairbanks, 25 January 12:00: no moonrise that day, the next at 26 January
// 00:10; Alert, 10 February: the next on 11 February 17:22, the new moon's.
TEST(HighLatitudeLunarDays, RunFromOneMoonriseToTheNextInTheDevicesZone) {
    const platform::Date first = mooncalc_test::utc(2024, 1, 1);
    const platform::Date last = mooncalc_test::utc(2024, 7, 1);
    for (const Site& site : sites) {
        const platform::Date from = first.addingTimeInterval(-4 * 86400.0);
        const platform::Date to = last.addingTimeInterval(4 * 86400.0);
        const mooncalc_test::LibraryRisesAndSets library{
            mooncalc_test::libraryEvents(site.location, true, from, to),
            mooncalc_test::libraryEvents(site.location, false, from, to)};
        MoonCalculator calculator(site.location);
        for (platform::Date date = first; date < last; date = date.addingTimeInterval(12 * 3600.0)) {
            const std::string what = std::string(site.name) + ' ' + mooncalc_test::utcMinute(date);
            mooncalc_test::expectLunarDays(what, calculator.getInfo(date), date, library, site.location);
        }
    }
}

// Three lunar days on a day the Moon neither rises nor sets, as the library
// has it from the day's start to the end of the reach (two UTC days after
// it), on a device in Chatham's zone. With no moonrise to go by, the middle
// lunar day ends and the last begins at the moonset found from the day's last
// second; there is none in the reach, so that bound is absent, though the
// library's last moonset before the day lies a day or less before its start.
// The first lunar day begins at the library's last moonrise before the day.
TEST(HighLatitudeLunarDays, TheMiddleOfThreeTakesNoEarlierDaysMoonset) {
    const mooncalc_test::ZoneOverride zone("Pacific/Chatham");
    struct Case {
        const char* name;
        ObserverLocation location;
        platform::Date date;
        const char* lastRiseBefore;   // the library's, UTC
        const char* lastSetBefore;
    };
    const Case cases[] = {
        {"Casey", {-66.2823, 110.5278}, mooncalc_test::utc(2043, 6, 7, 5, 15), "2043-06-06 02:21",
         "2043-06-06 03:51"},
        {"Troll", {-72.0114, 2.5350}, mooncalc_test::utc(1990, 4, 25, 5, 15), "1990-04-24 07:54",
         "1990-04-24 13:39"},
    };
    for (const Case& c : cases) {
        const platform::Date day = datehelper::startOfDay(c.date);
        const platform::Date reachEnd = day.addingTimeInterval(3 * 86400.0);
        const mooncalc_test::LibraryRisesAndSets library{
            mooncalc_test::libraryEvents(c.location, true, day.addingTimeInterval(-4 * 86400.0), reachEnd),
            mooncalc_test::libraryEvents(c.location, false, day.addingTimeInterval(-4 * 86400.0), reachEnd)};
        const auto lastBefore = [&](const mooncalc_test::JulianDays& events) {
            const auto after = std::lower_bound(events.begin(), events.end(), mooncalc_test::julianDay(day));
            EXPECT_EQ(after, events.end()) << c.name << ": the library has one from the day's start on";
            return after == events.begin() ? std::string("none") : mooncalc_test::utcMinuteOf(*(after - 1));
        };
        EXPECT_EQ(lastBefore(library.rises), c.lastRiseBefore) << c.name;
        EXPECT_EQ(lastBefore(library.sets), c.lastSetBefore) << c.name;

        const MoonInfo info = MoonCalculator(c.location).getInfo(c.date);
        ASSERT_EQ(info.moonModels.size(), 3u) << c.name;
        const std::vector<MoonModel>& models = info.moonModels;
        ASSERT_TRUE(models[0].begin) << c.name;
        EXPECT_LE(std::fabs(mooncalc_test::nearest(*models[0].begin, library.rises).offset),
                  mooncalc_test::toleranceAt(mooncalc_test::julianDay(*models[0].begin), c.location))
            << c.name << " begins at " << mooncalc_test::utcMinute(*models[0].begin);
        EXPECT_FALSE(models[0].finish) << c.name;
        EXPECT_FALSE(models[1].begin) << c.name;
        EXPECT_FALSE(models[1].finish) << c.name << " middle ends at " << mooncalc_test::utcMinute(*models[1].finish);
        EXPECT_FALSE(models[2].begin) << c.name;
        EXPECT_FALSE(models[2].finish) << c.name;
        mooncalc_test::expectLunarDays(c.name, info, c.date, library, c.location);
    }
}

} // namespace
} // namespace mooncalc
