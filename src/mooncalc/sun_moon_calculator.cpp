#include "mooncalc/sun_moon_calculator.h"

#include "datehelper/seconds_per_unit.h"
#include "mooncalc/internal/sun_moon_parts.h"
#include "platform/core/julian_day.h"
#include "platform/core/julian_day_numbers.h"

#include <cmath>

namespace mooncalc {
namespace {

using namespace detail;

// The refinement's rounds from a first estimate, at the least: the Moon,
// which moves on while the Earth turns, takes more than the Sun.
constexpr int sunRounds = 3;
constexpr int moonRounds = 5;
// The `sun` argument of the refinement: whether its body is the Sun.
constexpr bool ofTheSun = true;
constexpr bool ofTheMoon = false;

// The days before the calendar reform that the calculator refuses.
bool isRefused(double jd) noexcept { return jd >= 2299150.0 && jd < 2299160.0; }

bool withinCalendar(double jd) noexcept {
    return jd >= astronomy::earliestJulianDay && jd <= astronomy::latestJulianDay;
}

// The integer part of the calendar conversions, taken towards the past. For
// the values they meet from the Julian days' epoch (-4712) on, which are not
// negative, this is truncation; before it, truncation would move dates by a
// day and make months below 1. The callers keep x well inside the 64-bit range.
std::int64_t integerPart(double x) noexcept { return static_cast<std::int64_t>(std::floor(x)); }

// TT - UT in seconds: polynomials in the decimal year fitted to the observed
// and extrapolated values, one before 1600 and one from 1600 to 2200; 0 outside
// -600 to 2200.
double ttMinusUTOfDay(std::int64_t year, int month, int day) noexcept {
    if (!(year > -600 && year < 2200)) return 0.0;
    static constexpr double early[9] = {
        10535.328003326353,     -9.995238627481024,     0.003067307630020489,
        -7.76340698361363e-06,  3.1331045394223196e-09, 8.225530854405553e-12,
        -7.486164715632051e-15, 1.9362461549678834e-18, -8.489224937827653e-23,
    };
    static constexpr double late[9] = {
        -1027175.3477559977,     2523.256625418965,      -1.885686849058459,
        5.869246227888417e-05,   3.3379295816475025e-07, 1.7758961671447929e-10,
        -2.7889902806153024e-13, 1.0224295822336825e-16, -1.2528102370680435e-20,
    };
    const double* c = year < 1600 ? early : late;
    const double x = static_cast<double>(year) + (month - 1 + day / 30.0) / 12.0;
    const double x2 = x * x;
    const double x3 = x2 * x;
    const double x4 = x3 * x;
    return c[0] + c[1] * x + c[2] * x2 + c[3] * x3 + c[4] * x4 + c[5] * x2 * x3 + c[6] * x2 * x4 +
           c[7] * x3 * x4 + c[8] * x4 * x4;
}

} // namespace

platform::Expected<SunMoonCalculator, InvalidJulianDay> SunMoonCalculator::make(platform::Date date,
                                                                                  ObserverLocation location) {
    const double continuous = astronomy::JulianDay::of(date).value;
    if (!withinCalendar(continuous)) return InvalidJulianDay{continuous};
    // No place on the Earth lies beyond a pole; any finite longitude is an angle.
    if (!(std::fabs(location.latitude) <= 90.0) || !std::isfinite(location.longitude))
        return InvalidJulianDay{continuous};

    // The instant's own UTC fields: a calculation must not depend on the zone
    // of the device that asks.
    const astronomy::UtcFields f = astronomy::utcFields(date);
    const bool julianCalendar = f.year < 1582 || (f.year == 1582 && (f.month < 10 || (f.month == 10 && f.day < 15)));
    std::int64_t y = f.year;
    std::int64_t m = f.month;
    if (m < 3) {
        y -= 1;
        m += 12;
    }
    const std::int64_t a = y / 100;
    const std::int64_t b = julianCalendar ? 0 : 2 - a + a / 4;
    const double dayFraction = (f.hour + (f.minute + f.second / 60.0) / 60.0) / 24.0;
    const double jd = dayFraction +
                      static_cast<double>(integerPart(365.25 * static_cast<double>(y + 4716)) +
                                          integerPart(30.6001 * static_cast<double>(m + 1))) +
                      static_cast<double>(f.day + b) - 1524.5;
    if (isRefused(jd)) return InvalidJulianDay{jd};

    SunMoonCalculator calculator;
    calculator.obsLon_ = location.longitude * degToRad;
    calculator.obsLat_ = location.latitude * degToRad;
    calculator.ttMinusUT_ = ttMinusUTOfDay(f.year, f.month, f.day);
    calculator.setUTDate(jd);
    return calculator;
}

void SunMoonCalculator::setUTDate(double jd) noexcept {
    jdUT_ = jd;
    t_ = (jd + ttMinusUT_ / datehelper::dayInSeconds - j2000) / julianDaysPerCentury;
}

SunMoonCalculator::Topocentric SunMoonCalculator::evaluate(bool sun, Pick pick) noexcept {
    if (sun) return doCalc(getSun(), pick);
    getSun();   // the Moon's age and longitude want the Sun of the same instant
    return doCalc(getMoon(), pick);
}

double SunMoonCalculator::obtainAccurateRiseSetTransit(double riseSetJD, Event event, int niter, bool sun) noexcept {
    constexpr double oneSecond = 1.0 / datehelper::dayInSeconds;   // days
    // Each round moves the event by a small fraction of the round before (about
    // a sixteenth for the Moon, which moves on while the Earth turns). After a
    // first estimate a day off, `niter` rounds can leave it a second or two
    // short of settling: the rounds go on while it has not, up to this many in
    // all (the slowest seen, where the Moon barely clears the horizon, take 14).
    constexpr int maxRounds = 20;
    double jd = riseSetJD;
    double step = -1.0;
    for (int round = 0; round < niter || (step > oneSecond && round < maxRounds); ++round) {
        if (jd == -1.0) return -1.0;
        setUTDate(jd);
        const double next = evaluate(sun, Pick::nearest).at(event);
        step = std::fabs(jd - next);
        jd = next;
    }
    return step <= oneSecond ? jd : -1.0;
}

void SunMoonCalculator::storeRefined(const Topocentric& out, bool sun, double instant,
                                     BodyResults results) noexcept {
    results.azimuth = out.azimuth;
    results.elevation = out.elevation;
    results.distance = out.distance;
    const int rounds = sun ? sunRounds : moonRounds;
    // Tens of thousands of years from now the theory's polynomials no longer
    // hold (the obliquity swings by degrees an hour), and the rounds can walk
    // from one day's event to another's and settle days away. Within 10,000
    // years of now every event sampled settles less than 0.6 days before the
    // instant and 1.5 days after it; one more than a day before or two days
    // after is none of the instant's.
    const auto refined = [&](double estimate, Event event) {
        const double jd = obtainAccurateRiseSetTransit(estimate, event, rounds, sun);
        return jd - instant >= -1.0 && jd - instant <= 2.0 ? jd : -1.0;
    };
    results.rise = refined(out.rise, Event::rise);
    results.set = refined(out.set, Event::set);
    results.transit = refined(out.transit, Event::transit);
    if (results.transit == -1.0) {
        results.transitElevation = 0.0;
    } else {
        setUTDate(results.transit);
        results.transitElevation = evaluate(sun).transitElevation;
    }
}

void SunMoonCalculator::calcSunAndMoon() {
    const double jd = jdUT_;
    const Topocentric sun = doCalc(getSun());
    const double sunAnomaly = sanomaly_;
    const double sunLongitude = slongitude_;
    storeRefined(sun, ofTheSun, jd, {sunAz, sunEl, sunRise, sunSet, sunTransit, sunTransitElev, sunDist});

    setUTDate(jd);
    sanomaly_ = sunAnomaly;
    slongitude_ = sunLongitude;
    const Topocentric moon = doCalc(getMoon());   // the Moon's age of the instant
    const double age = moonAge;
    storeRefined(moon, ofTheMoon, jd, {moonAz, moonEl, moonRise, moonSet, moonTransit, moonTransitElev, moonDist});

    // The refinements moved the instant: back to the one asked for.
    setUTDate(jd);
    sanomaly_ = sunAnomaly;
    slongitude_ = sunLongitude;
    moonAge = age;
}

std::optional<double> SunMoonCalculator::moonRiseOrSetFrom(double julianDay, bool rise) const {
    SunMoonCalculator probe = *this;
    const double event =
        probe.obtainAccurateRiseSetTransit(julianDay, rise ? Event::rise : Event::set, moonRounds, ofTheMoon);
    if (event == -1.0) return std::nullopt;
    return event;
}

platform::Expected<std::array<std::int64_t, 6>, InvalidJulianDay> SunMoonCalculator::getDate(double jd) {
    if (isRefused(jd) || !withinCalendar(jd)) return InvalidJulianDay{jd};
    const double z = std::floor(jd + 0.5);
    const double f = jd + 0.5 - z;
    double a = z;
    if (z >= 2299161.0) {
        const std::int64_t alpha = integerPart((z - 1867216.25) / 36524.25);
        a = z + 1 + static_cast<double>(alpha - integerPart(static_cast<double>(alpha) / 4.0));
    }
    const double b = a + 1524;
    const std::int64_t c = integerPart((b - 122.1) / 365.25);
    const std::int64_t dd = integerPart(365.25 * static_cast<double>(c));
    const std::int64_t e = integerPart((b - static_cast<double>(dd)) / 30.6001);
    const double dayExact =
        f + b - static_cast<double>(dd) - static_cast<double>(integerPart(30.6001 * static_cast<double>(e)));
    const std::int64_t day = integerPart(dayExact);
    const std::int64_t month = e < 14 ? e - 1 : e - 13;
    const std::int64_t year = c - 4715 - (month > 2 ? 1 : 0);
    const double hours = (dayExact - static_cast<double>(day)) * datehelper::dayInSeconds / datehelper::hourInSeconds;
    const std::int64_t hour = integerPart(hours);
    const double minutes = (hours - static_cast<double>(hour)) * 60;
    const std::int64_t minute = integerPart(minutes);
    const double seconds = (minutes - static_cast<double>(minute)) * 60;
    const std::int64_t second = integerPart(seconds);
    return std::array<std::int64_t, 6>{year, month, day, hour, minute, second};
}

double SunMoonCalculator::normalizeRadians(double r) noexcept {
    if (r >= 0 && r < twoPi) return r;
    if (r >= twoPi && r < 2 * twoPi) return r - twoPi;
    // Less whole turns. Below 2^40 radians by the floor of the quotient, as the
    // results have always been computed: its product is off by 2^-12 radian at
    // most there, and no angle of an instant within the calendar's range comes
    // near at an ordinary longitude. Beyond, the product can be off by turns
    // and the exact remainder is taken.
    if (r < 0 && r >= -twoPi) r += twoPi;
    else if (std::fabs(r) < 0x1p40) r -= twoPi * std::floor(r * (1.0 / twoPi));
    else r = std::fmod(r, twoPi);
    // The quotient can come out a turn short, and a tiny negative angle plus a
    // turn can round up to a whole turn.
    if (r < 0.0) r += twoPi;
    if (r >= twoPi) r -= twoPi;
    return r;
}

std::optional<Illumination> SunMoonCalculator::getMoonIllumination(platform::Date date) const noexcept {
    return moonIllumination(date);
}

} // namespace mooncalc
