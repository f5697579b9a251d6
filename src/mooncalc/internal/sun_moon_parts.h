#pragma once
// The calculator's intermediate results and constants, shared by its source
// files and the rise and set calculator.

#include "mooncalc/sun_moon_calculator.h"

#include <numbers>

namespace mooncalc {

struct SunMoonCalculator::Ecliptic {
    double longitude = 0.0;       // degrees, apparent
    double latitude = 0.0;        // degrees
    double distance = 0.0;        // astronomical units
    double angularRadius = 0.0;   // radians
};

struct SunMoonCalculator::Topocentric {
    double azimuth = 0.0;
    double elevation = 0.0;
    double rise = 0.0;            // Julian days, or -1
    double set = 0.0;
    double transit = 0.0;
    double transitElevation = 0.0;
    double rightAscension = 0.0;
    double declination = 0.0;
    double distance = 0.0;
    // The centre's true altitude less the one at which the body rises and
    // sets (radians): negative while it is down.
    double aboveRiseSetAltitude = 0.0;

    double at(Event event) const noexcept {
        switch (event) {
        case Event::rise: return rise;
        case Event::set: return set;
        case Event::transit: return transit;
        }
        return transit;
    }
};

namespace detail {

constexpr double pi = std::numbers::pi;
constexpr double twoPi = 2.0 * pi;
constexpr double degToRad = pi / 180.0;
// Days of mean solar time per radian of hour angle.
constexpr double radToDay = 180.0 / (15.0 * pi) / 24.0;
constexpr double siderealDayLength = 1.0027378119113546;
constexpr double j2000 = 2451545.0;
constexpr double julianDaysPerCentury = 36525.0;
constexpr double astronomicalUnit = 149597870.691;   // km
constexpr double earthRadius = 6378.1366;            // km, equatorial

// Where |latitude| + |declination| passes this (degrees) the Moon's lowest or
// highest altitude of the day nears its rise altitude: it may graze the
// horizon, stay up or stay down within the next day (moon_altitude_search.cpp).
constexpr double nearGrazingDegrees = 82.0;
// The Moon's declination (topocentric) stays within this, in degrees.
constexpr double largestDeclinationDegrees = 29.6;
// Below this latitude, 52.4 degrees, the Moon never comes near grazing.
constexpr double neverNearGrazingLatitude = nearGrazingDegrees - largestDeclinationDegrees;

} // namespace detail
} // namespace mooncalc
