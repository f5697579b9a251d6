#pragma once
// The Swiss Ephemeris library's moonrises and moonsets as the reference of the
// moon calculator's accuracy tests: when one of the calculator's events is the
// library's, and whether its lunar days run from one of the library's
// moonrises to the next. The library is the tests' reference only; the
// calculator never calls it.

#include "mooncalc/moon_info.h"
#include "mooncalc/observer_location.h"
#include "mooncalc/sun_moon_calculator.h"
#include "mooncalc_test_support.h"
#include "platform/core/julian_day.h"
#include "platform/core/swiss_ephemeris.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace mooncalc_test {

using JulianDays = std::vector<double>;

inline double julianDay(platform::Date date) { return astronomy::JulianDay::of(date).value; }
inline std::string utcMinuteOf(double jd) { return utcMinute(astronomy::JulianDay{jd}.date()); }

// How fast the Moon's altitude changes at a Julian day, degrees an hour,
// upwards: a matter of geometry the two theories share, taken from the
// calculator's.
inline double altitudeChange(double jd, mooncalc::ObserverLocation where) {
    const platform::Date at = astronomy::JulianDay{jd}.date();
    const auto before = mooncalc::SunMoonCalculator::make(at.addingTimeInterval(-300.0), where);
    const auto after = mooncalc::SunMoonCalculator::make(at.addingTimeInterval(300.0), where);
    if (!before || !after) return INFINITY;
    const double radiansIn10Minutes = after->moonAboveRiseSetAltitude() - before->moonAboveRiseSetAltitude();
    return radiansIn10Minutes * 180.0 / std::numbers::pi * 6.0;
}
inline double altitudeRate(double jd, mooncalc::ObserverLocation where) {
    return std::fabs(altitudeChange(jd, where));
}

// At the library's events the calculator's Moon stands 0.03 to 0.065 degrees
// below its rise altitude (the two differ in refraction at the horizon and in
// their theories). Where the Moon's altitude changes slowly, near grazing the
// horizon, that moves an event by more than 3 minutes; where it grazes, one of
// the two may see a peek over the horizon, or a dip below it, that the other
// does not.
constexpr double tolerance = 180.0;      // seconds
constexpr double horizonsApart = 0.08;   // degrees
constexpr double grazing = 0.5;          // degrees an hour

// Within this of an event of the library's the calculator's is the same one:
// 3 minutes, or the time the Moon takes to move between the two horizons.
inline double toleranceAt(double jd, mooncalc::ObserverLocation where) {
    return std::max(tolerance, horizonsApart / altitudeRate(jd, where) * 3600.0);
}

inline bool grazes(double jd, mooncalc::ObserverLocation where) { return altitudeRate(jd, where) < grazing; }

// The library's events of one kind from `first` to `last`, in order. It gives
// a few moonsets at the instant of a moonrise, where the Moon climbs by
// degrees an hour (Oslo, 6 March 2024, 05:57): an event at which the Moon
// clearly moves the other way is none of its kind. Far north the library
// takes ten times as long for each event.
inline JulianDays libraryEvents(mooncalc::ObserverLocation where, bool rise, platform::Date first,
                                platform::Date last) {
    JulianDays events;
    double from = julianDay(first);
    const double to = julianDay(last);
    while (from < to) {
        const auto found = swisseph::riseOrSet(from, swisseph::body::moon, rise, where.longitude, where.latitude, 0.0);
        if (const auto* error = std::get_if<swisseph::Error>(&found)) {
            ADD_FAILURE() << error->message;
            break;
        }
        const auto& when = std::get<std::optional<double>>(found);
        if (!when) {   // none within a day at this latitude: look again a day later
            from += 1.0;
            continue;
        }
        const double change = altitudeChange(*when, where);
        if (rise ? change > -grazing : change < grazing) events.push_back(*when);
        from = *when + 0.01;
    }
    return events;
}

// From a week before `year` to a week after it.
inline JulianDays libraryEvents(mooncalc::ObserverLocation where, bool rise, int year = 2024) {
    return libraryEvents(where, rise, utc(year - 1, 12, 24), utc(year + 1, 1, 8));
}

// The library event nearest to `event`, and its distance in seconds.
struct Nearest {
    std::size_t index = 0;
    double offset = INFINITY;
};
inline Nearest nearest(platform::Date event, const JulianDays& reference) {
    const double jd = julianDay(event);
    Nearest best;
    for (std::size_t i = 0; i < reference.size(); ++i)
        if (std::fabs(jd - reference[i]) * 86400.0 < std::fabs(best.offset)) best = {i, (jd - reference[i]) * 86400.0};
    return best;
}

// Whether `event` is one of the library's, or a grazing one the library may
// not have.
inline bool isLibraryEvent(platform::Date event, const JulianDays& reference, mooncalc::ObserverLocation where) {
    const Nearest near = nearest(event, reference);
    return (!reference.empty() && std::fabs(near.offset) <= toleranceAt(reference[near.index], where)) ||
           grazes(julianDay(event), where);
}

// Whether the library has an event that does not graze the horizon strictly
// between `from` and `to` (Julian days), more than its tolerance inside.
inline std::optional<double> clearEventBetween(const JulianDays& events, double from, double to,
                                               mooncalc::ObserverLocation where) {
    for (auto event = std::upper_bound(events.begin(), events.end(), from); event != events.end() && *event < to;
         ++event) {
        const double near = toleranceAt(*event, where) / 86400.0;
        if (*event > from + near && *event < to - near && !grazes(*event, where)) return *event;
    }
    return std::nullopt;
}

struct LibraryRisesAndSets {
    JulianDays rises;
    JulianDays sets;
};

// The moon calculator's lunar days for `date` against the library's events:
// each runs from one of the library's events to the very next of the kind
// that ends it (moonrise to moonrise, and with three lunar days from a
// moonrise to the very next moonset and from there to the very next
// moonrise), one ends where the next begins, and with two or three the first
// ends at the first moonrise from the start of the date's UTC day. A bound is
// absent only where the library has no event for it from the start of the
// third UTC day before the date's to the end of the second after it. Events
// where the Moon grazes the horizon may be in one and not in the other. One
// lunar day alone holds the instant. Hours from moonrise to moonrise lie
// between `shortest` and `longest`.
inline void expectLunarDays(const std::string& what, const mooncalc::MoonInfo& info, platform::Date date,
                            const LibraryRisesAndSets& library, mooncalc::ObserverLocation where,
                            double shortest = 0.0, double longest = INFINITY) {
    const std::vector<mooncalc::MoonModel>& models = info.moonModels;
    const std::size_t count = models.size();
    ASSERT_GE(count, 1u) << what;
    const double day = std::floor(julianDay(date) - 0.5) + 0.5;
    const double reachStart = day - 3.0;
    const double reachEnd = day + 3.0;
    const auto at = [](const std::optional<platform::Date>& d) { return d ? julianDay(*d) : NAN; };
    const auto expectNone = [&](double from, double to, const std::string& bound) {
        if (const auto rise = clearEventBetween(library.rises, from, to, where))
            ADD_FAILURE() << what << ": " << bound << ", but the Moon rises at " << utcMinuteOf(*rise);
    };
    for (std::size_t i = 0; i < count; ++i) {
        const mooncalc::MoonModel& model = models[i];
        const std::string lunarDay = what + " lunar day " + std::to_string(i);
        const JulianDays& from = count == 3 && i == 2 ? library.sets : library.rises;
        const JulianDays& to = count == 3 && i == 1 ? library.sets : library.rises;
        if (model.begin) {
            EXPECT_TRUE(isLibraryEvent(*model.begin, from, where)) << lunarDay << " from " << utcMinute(*model.begin);
        }
        if (model.finish) {
            EXPECT_TRUE(isLibraryEvent(*model.finish, to, where)) << lunarDay << " to " << utcMinute(*model.finish);
        }
        if (i + 1 < count) {
            EXPECT_EQ(model.finish, models[i + 1].begin) << lunarDay;
        }
        if (!model.begin || !model.finish) continue;
        const std::string span = lunarDay + ": " + utcMinute(*model.begin) + " to " + utcMinute(*model.finish);
        EXPECT_LT(*model.begin, *model.finish) << span;
        if (const auto skipped = clearEventBetween(to, at(model.begin), at(model.finish), where))
            ADD_FAILURE() << span << ": skips " << utcMinuteOf(*skipped);
        if (count == 3 && i > 0) continue;   // bounded by a moonset
        const double hours = model.finish->timeIntervalSince(*model.begin) / 3600.0;
        EXPECT_TRUE(hours > shortest && hours < longest) << span << ": " << hours << " h";
    }
    // Where a bound is absent, or where the first moonrise from the day's
    // start must lie, the library has no moonrise.
    if (count == 1) {
        const mooncalc::MoonModel& model = models[0];
        if (model.begin) {
            EXPECT_LE(*model.begin, date) << what;
        } else {
            expectNone(reachStart, julianDay(date), "no begin");
        }
        if (model.finish) {
            EXPECT_LT(date, *model.finish) << what;
        } else {
            expectNone(julianDay(date), reachEnd, "no end");
        }
        return;
    }
    const std::optional<platform::Date>& todaysRise = models[0].finish;
    expectNone(day, todaysRise ? at(todaysRise) : reachEnd,
               "the first moonrise from the day's start is " + (todaysRise ? utcMinute(*todaysRise) : "none"));
    if (!models[0].begin) expectNone(reachStart, todaysRise ? at(todaysRise) : day, "no begin");
    const std::optional<platform::Date>& lastBegin = models.back().begin ? models.back().begin : todaysRise;
    if (!models.back().finish && lastBegin) expectNone(at(lastBegin), reachEnd, "no end");
}

} // namespace mooncalc_test
