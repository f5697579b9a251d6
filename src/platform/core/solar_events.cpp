#include "platform/core/solar_events.h"

#include "platform/core/closed_form_seasons.h"
#include "platform/core/julian_day_numbers.h"
#include "platform/core/swiss_ephemeris.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <variant>

namespace astronomy {
namespace {

constexpr double radians(double degrees) noexcept { return degrees * std::numbers::pi / 180.0; }

// The Sun's apparent geocentric longitude from the library, with its default
// ephemeris. Its speed is not asked for: that would cost a fifth more, and the
// estimate below serves the search as well.
std::optional<double> apparentSunLongitude(double julianDayUT) {
    const auto result = swisseph::calculateUT(julianDayUT, swisseph::body::sun, 0);
    const auto* sun = std::get_if<swisseph::Position>(&result);
    if (sun == nullptr)
        return std::nullopt;
    return sun->values[0];
}

// The Sun's apparent motion in longitude, degrees a day, to about a thousandth of
// itself over -3000 to 3000 (two ten-thousandths near our era): the mean motion
// with precession and the equation of the centre (Meeus, ch. 25, differentiated),
// and the Earth's monthly swing about the Earth-Moon barycentre (6.44" sin D).
double approximateSunSpeed(double julianDayUT) noexcept {
    const double t = (julianDayUT - 2451545.0) / 36525.0;
    const double anomaly = radians(357.52911 + 35999.05029 * t);
    const double elongation = radians(297.85036 + 445267.111480 * t);
    const double anomalyRate = radians(35999.05029 / 36525.0);       // radians a day
    const double elongationRate = radians(445267.111480 / 36525.0);
    return (36000.76983 + 0.0006064 * t) / 36525.0 +
           ((1.914602 - 0.004817 * t) * std::cos(anomaly) + 2.0 * 0.019993 * std::cos(2.0 * anomaly)) * anomalyRate +
           6.44 / 3600.0 * std::cos(elongation) * elongationRate;
}

// Newton steps from the closed form, with the library's longitude and the
// approximate speed. A step leaves at most a thousandth of itself, so one of up
// to 100 s (the closed form near our era) leaves at most 0.1 s; a larger one gets
// another step. Should the library fail, or the search wander off, the closed
// form stands.
double refined(double estimate, double longitude) {
    constexpr double convergedStep = 100.0 / 86400.0;   // days
    constexpr int maximumSteps = 4;
    double julianDay = estimate;
    for (int step = 0; step < maximumSteps; ++step) {
        const std::optional<double> sun = apparentSunLongitude(julianDay);
        if (!sun)
            return estimate;
        const double correction = std::remainder(longitude - *sun, 360.0) / approximateSunSpeed(julianDay);
        julianDay += correction;
        if (!(std::abs(julianDay - estimate) < 1.0))
            return estimate;
        if (std::abs(correction) <= convergedStep)
            return julianDay;
    }
    return estimate;
}

} // namespace

JulianDay solarEvent(int year, SolarEvent event, bool highPrecision) {
    const int computedYear = std::clamp(year, firstComputedYear, lastComputedYear);
    double julianDay = closed_form::universalTime(computedYear, event);
    if (highPrecision)
        julianDay = refined(julianDay, apparentLongitude(event));
    // Beyond the computed years neither the Sun's theory nor delta T means
    // anything; the event keeps its place in the calendar year, so that the events
    // stay in order and move on with the year.
    if (year != computedYear)
        julianDay += julianDayOfNewYear(year) - julianDayOfNewYear(computedYear);
    return JulianDay{julianDay};
}

} // namespace astronomy
