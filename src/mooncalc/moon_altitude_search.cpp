// Moonrise and moonset from the Moon's altitude itself, stepped through the
// day, for where the refinement from the hour angle cannot be trusted.
#include "datehelper/seconds_per_unit.h"
#include "mooncalc/internal/sun_moon_parts.h"

#include <algorithm>
#include <cmath>

namespace mooncalc {
namespace {

using namespace detail;

// No faster than this does the Moon's altitude change, in radians per day: the
// Earth turns its hour angle by 15.04 degrees an hour, which moves the altitude
// by at most that times the cosine of the latitude, and its declination and
// parallax add less than half a degree an hour. Within 10,000 years of now the
// theory's own motions keep to it.
double fastestAltitudeChange(double latitude) noexcept {
    return (16.0 * std::cos(latitude) + 1.0) * degToRad * 24.0;
}

// Where |latitude| + |declination| comes within 8 degrees of 90 the Moon's
// lowest or highest altitude of the day nears its rise altitude (some 0.8
// degrees below the horizon): it may graze the horizon, stay up or stay down
// within the next day, as its declination moves by up to 6 degrees a day. Its
// declination stays within 29.6 degrees (topocentric), so below 52.4 degrees
// of latitude it never comes so near.
constexpr double nearGrazing = nearGrazingDegrees * degToRad;
constexpr double largestDeclination = largestDeclinationDegrees * degToRad;

constexpr double oneSecond = 1.0 / datehelper::dayInSeconds;    // days
constexpr double oneMinute = 60.0 / datehelper::dayInSeconds;   // days

} // namespace

double SunMoonCalculator::moonAboveRiseSetAltitude() const noexcept {
    SunMoonCalculator probe = *this;
    return probe.evaluate(false).aboveRiseSetAltitude;
}

bool SunMoonCalculator::moonCanGrazeHorizon() const noexcept {
    if (std::fabs(obsLat_) + largestDeclination <= nearGrazing) return false;
    SunMoonCalculator probe = *this;
    return std::fabs(obsLat_) + std::fabs(probe.evaluate(false).declination) > nearGrazing;
}

std::optional<double> SunMoonCalculator::moonRiseOrSetByAltitude(bool rise) const {
    SunMoonCalculator probe = *this;
    const auto above = [&probe](double jd) {
        probe.setUTDate(jd);
        return probe.evaluate(false).aboveRiseSetAltitude;
    };
    // The event lies between two instants where the altitude is on either
    // side of the rise altitude, in the event's direction.
    const auto crosses = [rise](double before, double after) {
        return rise ? before < 0.0 && after >= 0.0 : before >= 0.0 && after < 0.0;
    };

    const double instant = jdUT_;
    const double end = instant + 1.0;
    const double fastest = fastestAltitudeChange(obsLat_);
    double from = std::floor(instant - 0.5) + 0.5;   // the instant's 0h UT
    double altitude = above(from);
    if (!std::isfinite(altitude)) return std::nullopt;
    std::optional<double> before;
    // Each step is one the altitude cannot cross the rise altitude within
    // and come back, however fast it moves: as long as the distance to it
    // takes at that speed, and no less than a minute (events closer together
    // than that are one). At most two days' minutes.
    while (from < end) {
        const double to = std::min(end, from + std::max(oneMinute, std::fabs(altitude) / fastest));
        const double next = above(to);
        if (crosses(altitude, next)) {
            // Halved to a second: within a minute, 6 rounds; from 12 hours, 16.
            double low = from;
            double high = to;
            const double lowAltitude = altitude;
            for (int round = 0; round < 40 && high - low > oneSecond; ++round) {
                const double middle = 0.5 * (low + high);
                if ((above(middle) < 0.0) == (lowAltitude < 0.0)) low = middle;
                else high = middle;
            }
            const double event = 0.5 * (low + high);
            if (event < instant) {
                before = event;
            } else {
                // As the refinement chooses: the last one before the instant
                // that UT day when it is nearer than the next.
                return before && instant - *before < event - instant ? *before : event;
            }
        }
        from = to;
        altitude = next;
    }
    return before;
}

} // namespace mooncalc
