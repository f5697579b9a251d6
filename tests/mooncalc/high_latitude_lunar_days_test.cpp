// Runs once per test zone: far north and south the lunar days around days
// without a moonrise, and those whose moonrises lie days away, against the
// Swiss Ephemeris library, on a device in each zone. Whatever the zone, the
// UTC day of the instant decides; the zone decides only how many lunar days
// touch it (one in UTC, mostly two elsewhere).
#include "library_moon_events.h"
#include "mooncalc/moon_calculator.h"
#include "mooncalc_test_support.h"

#include <gtest/gtest.h>

#include <string>

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

} // namespace
} // namespace mooncalc
