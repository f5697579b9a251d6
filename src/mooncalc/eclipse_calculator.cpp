#include "mooncalc/eclipse_calculator.h"

#include "mooncalc/astro_utils.h"
#include "platform/core/delta_t.h"

#include <cmath>

namespace mooncalc {
namespace {

using astro_utils::to360;
using astro_utils::toRadians;

// Meeus's mean new moon of lunation 0 (1900 January 0, dynamical time) and the
// mean synodic month.
constexpr double firstNewMoon = 2415020.75933;
constexpr double synodicMonth = 29.53058868;
constexpr double lunationsPerCentury = 1236.85;

// Beyond 200 centuries the quadratic and cubic terms of the lunation time move
// it by days, and the starting lunation would no longer bracket the instant.
constexpr double maximumLunations = 200.0 * lunationsPerCentury;
constexpr int maximumPasses = 30;

// The Moon's distance from the node beyond which no eclipse can happen: |sin F|.
constexpr double eclipseLimit = 0.36;

// Mean elements and the instant of the new or full moon of lunation k, in
// radians and as a dynamical-time (TT) Julian day.
struct Lunation {
    double argumentOfLatitude = 0.0;   // F
    double sunAnomaly = 0.0;           // M
    double moonAnomaly = 0.0;          // M'
    double julianDay = 0.0;
};

double argumentOfLatitude(double k, double t2, double t3) noexcept {
    return toRadians(to360(21.2964 + 390.67050646 * k - 0.0016528 * t2 - 0.00000239 * t3));
}

Lunation lunation(double k, double f) noexcept {
    const double t = k / lunationsPerCentury;
    const double t2 = t * t;
    const double t3 = t * t2;
    Lunation l;
    l.argumentOfLatitude = f;
    const double m = toRadians(to360(359.2242 + 29.10535608 * k - 0.0000333 * t2 - 0.00000347 * t3));
    const double mp = toRadians(to360(306.0253 + 385.81691806 * k + 0.0107306 * t2 + 0.00001236 * t3));
    l.sunAnomaly = m;
    l.moonAnomaly = mp;
    const double j0 = firstNewMoon + synodicMonth * k + 0.0001178 * t2 - 0.000000155 * t3;
    const double a = toRadians(166.56 + 132.87 * t - 0.009173 * t2);
    const double j1 = j0 + 0.00033 * std::sin(a);
    double d = (0.1734 - 0.000393 * t) * std::sin(m);
    d += 0.0021 * std::sin(2 * m);
    d -= 0.4068 * std::sin(mp);
    d += 0.0161 * std::sin(2 * mp);
    d -= 0.0051 * std::sin(m + mp);
    d -= 0.0074 * std::sin(m - mp);
    d -= 0.0104 * std::sin(2 * f);
    l.julianDay = j1 + d;
    return l;
}

struct Geometry {
    double gamma = 0.0;
    double u = 0.0;
};

Geometry geometry(const Lunation& l) noexcept {
    const double m = l.sunAnomaly;
    const double mp = l.moonAnomaly;
    const double f = l.argumentOfLatitude;
    double s = 5.19595 - 0.0048 * std::cos(m);
    s += 0.002 * std::cos(2 * m);
    s -= 0.3283 * std::cos(mp);
    s -= 0.006 * std::cos(m + mp);
    s += 0.0041 * std::cos(m - mp);
    double c = 0.207 * std::sin(m);
    c += 0.0024 * std::sin(2 * m);
    c -= 0.039 * std::sin(mp);
    c += 0.0115 * std::sin(2 * mp);
    c -= 0.0073 * std::sin(m + mp);
    c -= 0.0067 * std::sin(m - mp);
    c += 0.0117 * std::sin(2 * f);
    Geometry g;
    g.gamma = s * std::sin(f) + c * std::cos(f);
    g.u = 0.0059 + 0.0046 * std::cos(m) - 0.0182 * std::cos(mp) + 0.0004 * std::cos(2 * mp) -
          0.0005 * std::cos(m + mp);
    return g;
}

// Half the duration of a phase whose shadow radius is `radius`, in minutes;
// NaN when the Moon's centre never comes that close to the axis.
double semiDuration(double radius, double gamma, double n) noexcept {
    const double square = radius * radius - gamma * gamma;
    return square < 0.0 ? std::nan("") : (60.0 / n) * std::sqrt(square);
}

// Fills `eclipse` and returns true when the full moon is a lunar eclipse.
bool classifyLunar(const Lunation& l, const Geometry& g, Eclipse& eclipse) noexcept {
    const double u = g.u;
    const double absGamma = std::fabs(g.gamma);
    double magnitude = (1.0129 - u - absGamma) / 0.545;
    Eclipse::EclipseType type = Eclipse::EclipseType::lunarUmbralPartial;
    if (magnitude >= 1.0) {
        type = Eclipse::EclipseType::lunarUmbralTotal;
    } else if (!(magnitude > 0.0)) {
        // The umbra is not reached (an umbral magnitude of exactly 0 only grazes
        // it): a penumbral eclipse, if the penumbra is.
        type = Eclipse::EclipseType::lunarPenumbral;
        magnitude = (1.5572 + u - absGamma) / 0.545;
    }
    if (!(magnitude >= 0.0)) return false;

    const double n = 0.5458 + 0.04 * std::cos(l.moonAnomaly);
    eclipse.phase = magnitude;
    eclipse.type = type;
    eclipse.rho = 1.2847 + u;
    eclipse.sigma = 0.7494 - u;
    eclipse.sdPenumbra = semiDuration(1.5573 + u, g.gamma, n);
    eclipse.sdPartial = semiDuration(1.0129 - u, g.gamma, n);
    eclipse.sdTotal = semiDuration(0.4679 - u, g.gamma, n);
    return true;
}

// Fills `eclipse` and returns true when the new moon is a solar eclipse.
bool classifySolar(const Geometry& g, Eclipse& eclipse) noexcept {
    const double u = g.u;
    const double absGamma = std::fabs(g.gamma);
    if (!(absGamma <= 1.5432 + u)) return false;
    if (absGamma <= 0.9972) {
        eclipse.phase = 1.0;
        if (u < 0.0) {
            eclipse.type = Eclipse::EclipseType::solarCentralTotal;
        } else if (u > 0.0047) {
            eclipse.type = Eclipse::EclipseType::solarCentralAnnular;
        } else {
            // Near u = 0 the umbral cone's vertex lies close to the Earth's
            // surface: total where the surface bulges nearest, annular elsewhere.
            const double w = 0.00464 * std::sqrt(1.0 - g.gamma * g.gamma);
            eclipse.type = u < w ? Eclipse::EclipseType::solarCentralAnnularTotal
                                 : Eclipse::EclipseType::solarCentralAnnular;
        }
    } else if (absGamma < 0.9972 + std::fabs(u)) {
        // The axis misses the Earth but the umbra or antumbra touches it near a
        // pole: total or annular there, with no central line.
        eclipse.phase = 1.0;
        eclipse.type = Eclipse::EclipseType::solarNoncentral;
    } else {
        eclipse.phase = (1.5432 + u - absGamma) / (0.5461 + 2.0 * u);
        eclipse.type = Eclipse::EclipseType::solarPartial;
    }
    return true;
}

// The universal time of a dynamical-time Julian day. Delta T is taken at the
// dynamical instant rather than the universal one: it changes by less than 0.01 s
// in the difference between the two from year 0 to 3000, and by seconds at the
// ends of the search's range, where it is some two weeks.
double universalTime(double julianDayTT) noexcept {
    return julianDayTT - astronomy::modelDeltaT(julianDayTT);
}

} // namespace

std::optional<EclipseCalculator::EclipseType> EclipseCalculator::eclipseTypeFromRawValue(int rawValue) noexcept {
    switch (rawValue) {
    case 0: return EclipseType::solar;
    case 1: return EclipseType::lunar;
    default: return std::nullopt;
    }
}

Eclipse EclipseCalculator::getEclipseFor(platform::Date date, EclipseType eclipseType, bool next) noexcept {
    Eclipse result;
    const double lunations = (astro_utils::jdFromDate(date) - firstNewMoon) / synodicMonth;
    if (!(std::fabs(lunations) <= maximumLunations)) return result;

    // Whole k are new moons, k + 0.5 full moons. Start one lunation on the far
    // side of the instant: every lunation beyond the start then lies on that
    // side too, and the time test below takes the first eclipse on the near
    // side. The periodic terms move a lunation by less than a day and the
    // quadratic and cubic ones by less than six, and delta T, which the count
    // from a universal-time date leaves out, is at most 15 days in the range:
    // together well short of a lunation.
    const double offset = 0.5 * static_cast<int>(eclipseType);
    const double step = next ? 1.0 : -1.0;
    double k = std::floor(lunations - offset) + offset - step;
    for (int pass = 0; pass < maximumPasses; ++pass, k += step) {
        const double t = k / lunationsPerCentury;
        const double f = argumentOfLatitude(k, t * t, t * t * t);
        if (!(std::fabs(std::sin(f)) < eclipseLimit)) continue;

        const Lunation l = lunation(k, f);
        const platform::Date greatest = astro_utils::gregorianDateFrom(universalTime(l.julianDay));
        if (next ? greatest < date : !(greatest < date)) continue;

        const Geometry g = geometry(l);
        Eclipse found;
        const bool accepted = eclipseType == EclipseType::lunar ? classifyLunar(l, g, found) : classifySolar(g, found);
        if (!accepted) continue;
        found.maxPhaseDate = greatest;
        found.gamma = g.gamma;
        found.u = g.u;
        return found;
    }
    return result;
}

} // namespace mooncalc
