#pragma once
// The Swiss Ephemeris library's moonrises and moonsets as the reference of the
// moon calculator's accuracy tests, and when one of the calculator's events is
// the library's. The library is the tests' reference only; the calculator
// never calls it.

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

} // namespace mooncalc_test
