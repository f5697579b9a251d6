// The Sun's and the Moon's ecliptic positions, and their topocentric place,
// rise, set and transit for the calculator's current instant.
#include "datehelper/seconds_per_unit.h"
#include "mooncalc/internal/lunar_series.h"
#include "mooncalc/internal/sun_moon_parts.h"

#include <algorithm>
#include <cmath>

namespace mooncalc {
namespace {

using namespace detail;

double clampedAsin(double x) noexcept { return std::asin(std::clamp(x, -1.0, 1.0)); }

// Nutation in longitude and obliquity take the Moon's node and twice the Sun's
// mean longitude (radians).
struct NutationArguments {
    double node;
    double twiceSunLongitude;
};
NutationArguments nutationArguments(double t) noexcept {
    return {(124.9 - 1934.134 * t + 0.002063 * t * t) * degToRad,
            (201.11 + 72001.5377 * t + 0.00057 * t * t) * degToRad};
}

// Bennett's refraction at the apparent altitude, as an addition to the true
// one; not applied 3 degrees or more below the horizon.
double withRefraction(double elevation) noexcept {
    if (!(elevation > -3.0 * degToRad)) return elevation;
    const double h = elevation / degToRad;
    const double r = std::fabs(std::tan(pi / 2.0 - (h + 7.31 / (h + 4.4)) * degToRad));
    return std::min(elevation + 0.016667 * degToRad * r * 0.9992932862190813, pi / 2.0);
}

template <std::size_t N>
double seriesSum(const std::array<PeriodicTerm, N>& terms, double base, bool cosine, double d, double m,
                 double mp, double f, double e) noexcept {
    double sum = base;
    for (const PeriodicTerm& term : terms) {
        const double argument = term.d * d + term.m * m + term.mp * mp + term.f * f;
        double value = term.coefficient * (cosine ? std::cos(argument) : std::sin(argument));
        if (term.powerOfE == 1) value *= e;
        else if (term.powerOfE == 2) value *= e * e;
        sum += value;
    }
    return sum;
}

} // namespace

SunMoonCalculator::Ecliptic SunMoonCalculator::getSun() noexcept {
    const double t = t_;
    const double meanLongitude = 280.46645 + 36000.76983 * t + 0.0003032 * t * t;
    const double meanAnomalyDegrees = 357.5291 + 35999.0503 * t - 0.0001559 * t * t - 4.8e-7 * t * t * t;
    sanomaly_ = meanAnomalyDegrees * degToRad;
    const double m = sanomaly_;
    const double centre = (1.9146 - 0.004817 * t - 0.000014 * t * t) * std::sin(m) +
                          (0.019993 - 0.000101 * t) * std::sin(2 * m) + 0.00029 * std::sin(3 * m);
    const NutationArguments n = nutationArguments(t);
    // Aberration, and nutation in longitude.
    slongitude_ = meanLongitude + centre +
                  (-0.00569 - 0.0047785 * std::sin(n.node) - 0.0003667 * std::sin(n.twiceSunLongitude));

    const double eccentricity = 0.016708617 - 0.000042037 * t - 0.0000001236 * t * t;
    const double trueAnomaly = m + centre * degToRad;
    const double distance =
        1.000001018 * (1 - eccentricity * eccentricity) / (1 + eccentricity * std::cos(trueAnomaly));
    return {slongitude_, 0.0, distance, std::atan(696000.0 / (astronomicalUnit * distance))};
}

SunMoonCalculator::Ecliptic SunMoonCalculator::getMoon() noexcept {
    const double t = t_;
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double t4 = t3 * t;
    const double d = normalizeRadians(
        (297.8502042 + 445267.1115168 * t - 0.00163 * t2 + t3 / 538841 - t4 / 65194000) * degToRad);
    const double mp = (134.9634114 + 477198.8676313 * t + 0.008997 * t2 + t3 / 69699 - t4 / 14712000) * degToRad;
    const double f = (93.2720993 + 483202.0175273 * t - 0.0034029 * t2 - t3 / 3526000 + t4 / 863310000) * degToRad;
    const double e = 1 - (0.002495 + 7.52e-6 * (t + 1)) * (t + 1);
    const double m = sanomaly_;

    const double meanLongitude = 218.31664563 + 481267.8811958 * t - 0.00146639 * t2 + t3 / 540135.03 -
                                 t4 / 65193770.4;
    const NutationArguments n = nutationArguments(t);
    const double longitude = seriesSum(longitudeTerms, meanLongitude, false, d, m, mp, f, e) -
                             0.0047785 * std::sin(n.node) - 0.0003667 * std::sin(n.twiceSunLongitude);

    moonAge = normalizeRadians((longitude - slongitude_) * degToRad) * 29.530588853 / twoPi;

    const double parallax = seriesSum(parallaxTerms, 0.950724, true, d, m, mp, f, e);
    const double distanceInEarthRadii = 1 / std::sin(parallax * degToRad);
    const double latitude = seriesSum(latitudeTerms, 0.0, false, d, m, mp, f, e);
    return {longitude, latitude, distanceInEarthRadii * earthRadius / astronomicalUnit,
            std::atan(1737.4 / (distanceInEarthRadii * earthRadius))};
}

SunMoonCalculator::Topocentric SunMoonCalculator::doCalc(const Ecliptic& body, Pick pick) const noexcept {
    const double t = t_;
    // Laskar's obliquity of the ecliptic, and the nutation in obliquity.
    const double u = t / 100;
    const double meanObliquity =
        23.4392911111111 +
        u * (-4680.93 +
             u * (-1.55 +
                  u * (1999.25 +
                       u * (-51.38 + u * (-249.67 + u * (-39.05 + u * (7.12 + u * (27.87 + u * (5.79 + 2.45 * u))))))))) /
            3600;
    const NutationArguments n = nutationArguments(t);
    const double nutation = 0.002558 * std::cos(n.node) - 0.00015339 * std::cos(n.twiceSunLongitude);
    const double obliquity = meanObliquity * degToRad + nutation * degToRad;

    const double longitude = body.longitude * degToRad;
    const double latitude = body.latitude * degToRad;
    double x = body.distance * std::cos(longitude) * std::cos(latitude);
    const double y = body.distance * std::sin(longitude) * std::cos(latitude);
    const double z = body.distance * std::sin(latitude);
    double yEquatorial = y * std::cos(obliquity) - z * std::sin(obliquity);
    double zEquatorial = y * std::sin(obliquity) + z * std::cos(obliquity);

    // Local sidereal time: the mean sidereal time of the preceding 0h UT
    // (IAU 1982) advanced at the sidereal rate.
    const double jd0 = std::floor(jdUT_ - 0.5) + 0.5;
    const double t0 = (jd0 - j2000) / julianDaysPerCentury;
    const double secondsOfDay = (jdUT_ - jd0) * datehelper::dayInSeconds;
    const double gmst = 24110.54841 + t0 * (8640184.812866 + t0 * (0.093104 - 6.2e-6 * t0));
    const double rate = 1 + (8640184.812866 + t0 * (0.186208 - 1.86e-5 * t0)) / 3155760000.0;
    const double lst = (gmst + rate * secondsOfDay) * 0.004166666666666667 * degToRad + obsLon_;

    // From the Earth's centre to the observer on a spherical Earth.
    constexpr double earthRadiusInAU = 4.263520978299403e-05;
    x -= earthRadiusInAU * std::cos(obsLat_) * std::cos(lst);
    yEquatorial -= earthRadiusInAU * std::cos(obsLat_) * std::sin(lst);
    zEquatorial -= earthRadiusInAU * std::sin(obsLat_);

    double ra = 0.0;
    double dec = zEquatorial < 0 ? -pi / 2 : pi / 2;
    if (yEquatorial != 0.0 || x != 0.0) {
        ra = std::atan2(yEquatorial, x);
        dec = std::atan2(zEquatorial / std::sqrt(x * x + yEquatorial * yEquatorial), 1.0);
    }
    const double distance = std::sqrt(x * x + yEquatorial * yEquatorial + zEquatorial * zEquatorial);

    Topocentric out;
    const double hourAngle = lst - ra;
    const double trueElevation =
        clampedAsin(std::sin(obsLat_) * std::sin(dec) + std::cos(obsLat_) * std::cos(dec) * std::cos(hourAngle));
    out.elevation = withRefraction(trueElevation);
    out.azimuth = pi + std::atan2(std::sin(hourAngle), std::cos(hourAngle) * std::sin(obsLat_) -
                                                           std::sin(dec) * std::cos(obsLat_) / std::cos(dec));

    double horizon = 0.0;
    switch (twilight_) {
    case Twilight::astronomical: horizon = -18 * degToRad; break;
    case Twilight::nautical: horizon = -12 * degToRad; break;
    case Twilight::civil: horizon = -6 * degToRad; break;
    case Twilight::horizon34arcmin: horizon = -0.5666666666666667 * degToRad - body.angularRadius; break;
    }
    out.aboveRiseSetAltitude = trueElevation - horizon;
    const double cosH0 = (std::sin(horizon) - std::sin(obsLat_) * std::sin(dec)) / (std::cos(obsLat_) * std::cos(dec));

    // Of the next event and the last one before the instant, the nearer one if
    // it falls on the instant's UT day (or wherever it falls, as picked).
    const double daysPerRadian = radToDay / siderealDayLength;
    const double day0 = std::floor(jdUT_ - 0.5) + 0.5;
    auto nearer = [&](double hourAngleToGo) {
        const double after = daysPerRadian * hourAngleToGo;
        const double before = daysPerRadian * (hourAngleToGo - twoPi);
        const bool allowed = pick == Pick::nearest || std::floor(jdUT_ + before - 0.5) + 0.5 == day0;
        return jdUT_ + (allowed && std::fabs(before) < std::fabs(after) ? before : after);
    };

    out.transit = nearer(normalizeRadians(ra - lst));
    out.transitElevation =
        withRefraction(clampedAsin(std::sin(dec) * std::sin(obsLat_) + std::cos(dec) * std::cos(obsLat_)));

    if (std::fabs(cosH0) > 1.0 || std::isnan(cosH0)) {
        out.rise = -1.0;
        out.set = -1.0;
    } else {
        const double h0 = std::fabs(std::acos(cosH0));
        out.rise = nearer(normalizeRadians(ra - h0 - lst));
        out.set = nearer(normalizeRadians(ra + h0 - lst));
    }
    out.rightAscension = ra;
    out.declination = dec;
    out.distance = distance;
    return out;
}

} // namespace mooncalc
