#include "mooncalc/moon_illumination.h"

#include "datehelper/seconds_per_unit.h"
#include "mooncalc/date_extensions.h"
#include "mooncalc/internal/sun_moon_parts.h"
#include "platform/core/julian_day_numbers.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace mooncalc {
namespace {

constexpr double pi = std::numbers::pi;
constexpr double rad = pi / 180.0;
constexpr double obliquity = rad * 23.4397;   // of J2000, held fixed
constexpr double sunDistance = 149598000.0;   // km

// Equatorial place of a body; the distance (km) only for the Moon.
struct CoordsModel {
    double ra = 0.0;
    double dec = 0.0;
    std::optional<double> dist;
};

double rightAscension(double l, double b) noexcept {
    return std::atan2(std::sin(l) * std::cos(obliquity) - std::tan(b) * std::sin(obliquity), std::cos(l));
}

double declination(double l, double b) noexcept {
    return std::asin(std::clamp(
        std::sin(b) * std::cos(obliquity) + std::cos(b) * std::sin(obliquity) * std::sin(l), -1.0, 1.0));
}

double solarMeanAnomaly(double d) noexcept { return rad * (357.5291 + 0.98560028 * d); }

double eclipticLongitude(double m) noexcept {
    const double centre = rad * (1.9148 * std::sin(m) + 0.02 * std::sin(2 * m) + 0.0003 * std::sin(3 * m));
    const double perihelion = rad * 102.9372;
    return m + centre + perihelion + pi;
}

CoordsModel sunCoords(double d) noexcept {
    const double l = eclipticLongitude(solarMeanAnomaly(d));
    return {rightAscension(l, 0), declination(l, 0), std::nullopt};
}

CoordsModel moonCoords(double d) noexcept {
    const double meanLongitude = rad * (218.316 + 13.176396 * d);
    const double meanAnomaly = rad * (134.963 + 13.064993 * d);
    const double argumentOfLatitude = rad * (93.272 + 13.22935 * d);
    const double l = meanLongitude + rad * 6.289 * std::sin(meanAnomaly);
    const double b = rad * 5.128 * std::sin(argumentOfLatitude);
    return {rightAscension(l, b), declination(l, b), 385001 - 20905 * std::cos(meanAnomaly)};
}

} // namespace

std::optional<Illumination> moonIllumination(platform::Date date) noexcept {
    // From the whole milliseconds on purpose: their count is the domain the
    // header gives (no result where it is not a finite 64-bit number), and the
    // half millisecond at most that rounding moves the instant is nothing beside
    // the model's error (moon_illumination.h).
    const auto milliseconds = millisecondsSince1970(date);
    if (!milliseconds) return std::nullopt;
    constexpr double millisecondsPerDay = 1000.0 * datehelper::dayInSeconds;
    const double julian = static_cast<double>(*milliseconds) / millisecondsPerDay - 0.5 +
                          static_cast<double>(astronomy::unixEpochDayNumber);
    const double d = julian - detail::j2000;   // days since J2000

    const CoordsModel s = sunCoords(d);
    const CoordsModel m = moonCoords(d);
    const double elongation = std::acos(std::clamp(
        std::sin(s.dec) * std::sin(m.dec) + std::cos(s.dec) * std::cos(m.dec) * std::cos(s.ra - m.ra), -1.0, 1.0));
    // The phase angle: at the Moon, between the Sun and the Earth.
    const double inc =
        std::atan2(sunDistance * std::sin(elongation), m.dist.value_or(0.0) - sunDistance * std::cos(elongation));
    const double angle = std::atan2(std::cos(s.dec) * std::sin(s.ra - m.ra),
                                    std::sin(s.dec) * std::cos(m.dec) - std::cos(s.dec) * std::sin(m.dec) * std::cos(s.ra - m.ra));
    const double sign = angle < 0 ? -1.0 : 1.0;
    return Illumination{(1 + std::cos(inc)) / 2, 0.5 + 0.5 * inc * sign / pi, angle};
}

} // namespace mooncalc
