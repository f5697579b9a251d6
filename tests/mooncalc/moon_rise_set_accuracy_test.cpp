// The whole calculator against the Swiss Ephemeris library: in 2024 at
// mid-latitudes and in 2025 at 64 and 70 degrees north, its moonrises and
// moonsets lie within 3 minutes of the library's events of the same kind (the
// Moon's upper limb at the horizon, with the library's refraction; more where
// the Moon nears grazing the horizon, see library_moon_events.h), and its
// lunar days run from one of the library's moonrises to the next. Far north
// and south, every hour of 2024, it gives the event it promises.
#include "library_moon_events.h"
#include "mooncalc/moon_calculator.h"
#include "mooncalc/moon_rise_set_calculator.h"
#include "mooncalc_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace mooncalc {
namespace {

using mooncalc_test::grazes;
using mooncalc_test::libraryEvents;
using mooncalc_test::nearest;
using mooncalc_test::tolerance;
using mooncalc_test::toleranceAt;

constexpr ObserverLocation london{51.509865, -0.118092};
constexpr ObserverLocation sydney{-33.8688, 151.2093};
constexpr ObserverLocation novosibirsk{55.0084, 82.9357};
// Where the Moon stays up or down for days, and some UTC days hold two
// moonrises.
constexpr ObserverLocation reykjavik{64.15, -21.94};
constexpr ObserverLocation tromso{69.65, 18.96};

// Where the Moon's rising moves by hours with its declination, and stays up
// or down for days.
constexpr ObserverLocation longyearbyen{78.22, 15.65};
constexpr ObserverLocation mcmurdo{-77.85, 166.67};

struct City {
    const char* zone;
    ObserverLocation location;
};
// Novosibirsk: the Moon often rises late in the UTC day after setting earlier
// in it.
constexpr City cities[] = {
    {"Europe/London", london}, {"Australia/Sydney", sydney}, {"Asia/Novosibirsk", novosibirsk}};

TEST(MoonRiseSetAccuracy, LunarDaysOf2024InLondonAgreeWithTheSwissEphemerisWithinThreeMinutes) {
    const mooncalc_test::ZoneOverride zone("Europe/London");
    const std::vector<double> rises = libraryEvents(london, true);
    const std::vector<double> sets = libraryEvents(london, false);
    ASSERT_GT(rises.size(), 350u);   // 381 days, some without a moonrise or a moonset
    ASSERT_GT(sets.size(), 350u);

    MoonCalculator calculator(london);
    double worstRise = 0.0;
    double worstSet = 0.0;
    int checked = 0;
    for (int day = 0; day < 366; ++day) {
        const platform::Date noon = mooncalc_test::local(2024, 1, 1 + day, 12);
        const MoonInfo info = calculator.getInfo(noon);
        ASSERT_FALSE(info.moonModels.empty()) << day;
        for (std::size_t i = 0; i < info.moonModels.size(); ++i) {
            const MoonModel& model = info.moonModels[i];
            // With three lunar days, the second ends and the third begins at a moonset.
            const bool beginIsSet = info.moonModels.size() == 3 && i == 2;
            const bool finishIsSet = info.moonModels.size() == 3 && i == 1;
            for (const auto& [event, isSet] : {std::pair{model.begin, beginIsSet}, std::pair{model.finish, finishIsSet}}) {
                if (!event) continue;   // no moonrise that day near the instant asked for
                const double offset = nearest(*event, isSet ? sets : rises).offset;
                EXPECT_LE(std::fabs(offset), tolerance) << mooncalc_test::utcMinute(*event) << (isSet ? " set" : " rise");
                double& worst = isSet ? worstSet : worstRise;
                worst = std::max(worst, std::fabs(offset));
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 700);
    std::cout << checked << " events of 2024 in London; worst moonrise " << worstRise << " s, worst moonset "
              << worstSet << " s from the Swiss Ephemeris\n";
}

// Four requests a day, at the cities' own midnight, 6:00, noon and 18:00: the
// Moon never stays up or down for a day at their latitudes, so each finds an
// event. The refinement of a moonset first found a day off can take more than
// five rounds to settle to a second (London, from noon on 14 September, 10
// November and 9 December).
TEST(MoonRiseSetAccuracy, EveryMoonriseAndMoonsetAskedFor2024IsFound) {
    for (const City& city : cities) {
        const mooncalc_test::ZoneOverride zone(city.zone);
        const std::vector<double> rises = libraryEvents(city.location, true);
        const std::vector<double> sets = libraryEvents(city.location, false);
        const MoonRiseSetCalculator calculator(city.location);
        for (int day = 0; day < 366; ++day) {
            for (int hour : {0, 6, 12, 18}) {
                const platform::Date date = mooncalc_test::local(2024, 1, 1 + day, hour);
                for (const bool rise : {true, false}) {
                    const RiseSetResult found = rise ? calculator.getMoonRise(date) : calculator.getMoonSet(date);
                    const std::string what = std::string(city.zone) + ' ' + mooncalc_test::utcMinute(date) +
                                             (rise ? " rise" : " set");
                    ASSERT_TRUE(found) << what;
                    EXPECT_LE(std::fabs(nearest(*found, rise ? rises : sets).offset), tolerance) << what;
                }
            }
        }
    }
}

// Every lunar day of the year, asked at 0h and 12h on a device in UTC, in New
// York and in Sydney, runs from one of the library's moonrises to the next
// (see expectLunarDays).
void expectLunarDaysBetweenConsecutiveEvents(const char* place, ObserverLocation where, int year, double shortest,
                                             double longest) {
    const mooncalc_test::LibraryRisesAndSets library{libraryEvents(where, true, year),
                                                     libraryEvents(where, false, year)};
    for (const char* device : {"UTC", "America/New_York", "Australia/Sydney"}) {
        const mooncalc_test::ZoneOverride zone(device);
        MoonCalculator calculator(where);
        const int days = year % 4 == 0 ? 366 : 365;   // 2024 and 2025
        for (int day = 0; day < days; ++day) {
            for (int hour : {0, 12}) {
                const platform::Date date = mooncalc_test::local(year, 1, 1 + day, hour);
                const std::string what = std::string(place) + ' ' + device + ' ' + mooncalc_test::utcMinute(date);
                mooncalc_test::expectLunarDays(what, calculator.getInfo(date), date, library, where, shortest, longest);
            }
        }
    }
}

// 23 to 27 hours from moonrise to moonrise in these cities.
TEST(MoonRiseSetAccuracy, EveryLunarDayOf2024RunsFromOneMoonriseToTheNext) {
    for (const City& city : cities)
        expectLunarDaysBetweenConsecutiveEvents(city.zone, city.location, 2024, 23.0, 27.0);
}

// Far north a lunar day can be shorter than a UTC day, so that two moonrises
// fall on one (Reykjavik, 14 July 2025: 00:06 and 23:55), or last for days.
TEST(MoonRiseSetAccuracy, EveryLunarDayOf2025FarNorthRunsFromOneMoonriseToTheNext) {
    expectLunarDaysBetweenConsecutiveEvents("Reykjavik", reykjavik, 2025, 20.0, 240.0);
    expectLunarDaysBetweenConsecutiveEvents("Tromso", tromso, 2025, 20.0, 240.0);
}

// Searched from each UTC midnight of 2025, the first moonrise and moonset of
// the day are found, also when the Moon stays up or down at midnight and rises
// or sets later that day; an event found on a day the library has none of its
// kind is the library's next one. An event at midnight may fall on either side
// of it in the other theory; one where the Moon grazes the horizon may be in
// one theory only.
TEST(MoonRiseSetAccuracy, FarNorthTheFirstMoonriseAndMoonsetOfEachDayAreFoundFromItsStart) {
    for (const auto& [place, where] : {std::pair{"Reykjavik", reykjavik}, std::pair{"Tromso", tromso}}) {
        const MoonRiseSetCalculator calculator(where);
        for (const bool rise : {true, false}) {
            const std::vector<double> events = libraryEvents(where, rise, 2025);
            int sameDay = 0;
            double worst = 0.0;
            for (int day = 0; day < 365; ++day) {
                const platform::Date midnight = mooncalc_test::utc(2025, 1, 1 + day);
                const double start = astronomy::JulianDay::of(midnight).value;
                const double atMidnight = tolerance / 86400.0;
                const RiseSetResult found = rise ? calculator.getMoonRise(midnight) : calculator.getMoonSet(midnight);
                const std::string what = std::string(place) + ' ' + mooncalc_test::utcMinute(midnight) +
                                         (rise ? " rise" : " set") + ": found " +
                                         (found ? mooncalc_test::utcMinute(*found) : std::string("none"));
                // The library's events the search may give.
                std::vector<double> expected;
                auto first = std::lower_bound(events.begin(), events.end(), start - atMidnight);
                if (first != events.end() && *first < start + atMidnight) {
                    expected.assign(first, std::min(first + 2, events.end()));
                } else if (first != events.end() && *first < start + 1.0) {
                    ++sameDay;
                    expected.push_back(*first);
                    EXPECT_TRUE(found || grazes(*first, where))
                        << what << ", the library "
                        << mooncalc_test::utcMinute(astronomy::JulianDay{*first}.date());
                } else if (found) {
                    expected.push_back(events[nearest(*found, events).index]);
                }
                if (!found) continue;
                const double jd = astronomy::JulianDay::of(*found).value;
                const auto same = std::find_if(expected.begin(), expected.end(), [&](double event) {
                    return std::fabs(jd - event) * 86400.0 <= toleranceAt(event, where);
                });
                EXPECT_TRUE(same != expected.end() || grazes(jd, where)) << what;
                if (same != expected.end()) worst = std::max(worst, std::fabs(jd - *same) * 86400.0);
            }
            EXPECT_GT(sameDay, 180) << place;
            std::cout << place << (rise ? " moonrises" : " moonsets") << " of 2025: " << sameDay
                      << " days with one; worst " << worst << " s from the Swiss Ephemeris\n";
        }
    }
}

// The library's events of one kind with their tolerances.
struct Reference {
    std::vector<double> events;
    std::vector<double> tolerances;   // days
    Reference(std::vector<double> all, ObserverLocation where) : events(std::move(all)) {
        for (const double event : events) tolerances.push_back(toleranceAt(event, where) / 86400.0);
    }
};

// Whether `found`, asked for at the Julian day `jd`, is the event of the
// library's that the calculator promises: the next after the instant, or the
// last before it when that is nearer and on the same UTC day, within
// toleranceAt. Either of the two is right where they lie equally far within
// their tolerances, or where the one before lies within its tolerance of the
// instant or of the UTC midnight before it (the calculator may have it on the
// other side); none is right where the one promised comes a day after the
// instant or later (within its tolerance). An event of the calculator's that
// grazes the horizon may be missing from the library.
bool isPromised(const RiseSetResult& found, double jd, const Reference& reference, ObserverLocation where) {
    const std::vector<double>& events = reference.events;
    const auto next = std::upper_bound(events.begin(), events.end(), jd);
    const auto index = static_cast<std::size_t>(next - events.begin());
    const double midnight = std::floor(jd - 0.5) + 0.5;
    // The one before and the one after, with their tolerances; NaN for none.
    const double before = index > 0 ? events[index - 1] : NAN;
    const double beforeTolerance = index > 0 ? reference.tolerances[index - 1] : NAN;
    const double after = index < events.size() ? events[index] : NAN;
    const double afterTolerance = index < events.size() ? reference.tolerances[index] : NAN;
    const bool beforeIsNearer = before >= midnight && !(jd - before >= after - jd);
    const double promised = beforeIsNearer ? before : after;
    const double promisedTolerance = beforeIsNearer ? beforeTolerance : afterTolerance;
    const bool beforeAtABoundary = std::fabs(before - midnight) <= beforeTolerance || jd - before <= beforeTolerance;
    const bool either =
        std::fabs((jd - before) - (after - jd)) <= beforeTolerance + afterTolerance || beforeAtABoundary;
    if (!found) return std::isnan(promised) || promised - jd > 1.0 - promisedTolerance || beforeAtABoundary;
    const double event = mooncalc_test::julianDay(*found);
    if (std::fabs(event - promised) <= promisedTolerance) return true;
    if (either && (std::fabs(event - before) <= beforeTolerance || std::fabs(event - after) <= afterTolerance))
        return true;
    return grazes(event, where);
}

// Far north and south, where the Moon's rising moves by hours with its
// declination and the hour angle misleads the refinement, every hour of 2024
// (and where it chose the farther of the two events, Longyearbyen, 25 May 2030
// 10:57:24), the calculator gives the event it promises. Where the library's
// has the Moon grazing the horizon, it is looked for among those that do not.
// The library's events are taken from three days before the first instant to
// three after the last.
TEST(MoonRiseSetAccuracy, FarNorthAndSouthEveryHourTheEventPromisedIsFound) {
    const auto expectPromised = [](const char* place, ObserverLocation where, bool rise,
                                   const std::vector<platform::Date>& instants) {
        const std::vector<double> events = libraryEvents(where, rise, instants.front().addingTimeInterval(-3 * 86400.0),
                                                         instants.back().addingTimeInterval(3 * 86400.0));
        std::vector<double> clear;
        std::copy_if(events.begin(), events.end(), std::back_inserter(clear),
                     [&](double event) { return !grazes(event, where); });
        const Reference all(events, where);
        const Reference clearOnly(clear, where);
        const MoonRiseSetCalculator calculator(where);
        for (const platform::Date date : instants) {
            const RiseSetResult found = rise ? calculator.getMoonRise(date) : calculator.getMoonSet(date);
            const double jd = mooncalc_test::julianDay(date);
            EXPECT_TRUE(isPromised(found, jd, all, where) || isPromised(found, jd, clearOnly, where))
                << place << (rise ? " rise" : " set") << " asked at " << mooncalc_test::utcMinute(date) << ": "
                << (found ? mooncalc_test::utcMinute(*found) : std::string("none"));
        }
    };
    std::vector<platform::Date> hours;
    for (int hour = 0; hour < 366 * 24; ++hour) hours.push_back(mooncalc_test::utc(2024, 1, 1, hour));
    for (const auto& [place, where] : {std::pair{"Longyearbyen", longyearbyen}, std::pair{"McMurdo", mcmurdo}}) {
        expectPromised(place, where, true, hours);
        expectPromised(place, where, false, hours);
    }
    expectPromised("Longyearbyen", longyearbyen, true, {mooncalc_test::utc(2030, 5, 25, 10, 57, 24)});
}

} // namespace
} // namespace mooncalc
