#include "platform/core/internal/solar_events.h"

#include "platform/core/angles.h"
#include "platform/core/internal/closed_form_seasons.h"
#include "platform/core/julian_day_numbers.h"
#include "platform/core/swiss_ephemeris.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <variant>

namespace astronomy {
namespace {

// The Sun's apparent geocentric longitude from the library, with its default
// ephemeris, and the flags naming the ephemeris it used (its analytic theory
// outside the years of its data files). Asked in dynamical time: in universal
// time the library would compute delta T on every call, and twice (with a second
// position) where it falls back to its analytic theory. Its speed is not asked
// for: that would cost a fifth more, and the estimate below serves the search as
// well.
struct SunLongitude {
    double degrees;
    std::int32_t ephemerisFlags;
};

std::optional<SunLongitude> apparentSunLongitude(double julianDayTT) {
    const auto result = swisseph::calculate(julianDayTT, swisseph::body::sun, 0);
    const auto* sun = std::get_if<swisseph::Position>(&result);
    if (sun == nullptr)
        return std::nullopt;
    return SunLongitude{sun->values[0], sun->flagsUsed};
}

// The Sun's apparent motion in longitude, degrees a day, to about a thousandth of
// itself over -3000 to 3000 (two ten-thousandths near our era): the mean motion
// with precession and the equation of the centre (Meeus, ch. 25, differentiated),
// and the Earth's monthly swing about the Earth-Moon barycentre (6.44" sin D).
double approximateSunSpeed(double julianDay) noexcept {
    const double t = (julianDay - 2451545.0) / 36525.0;
    const double anomaly = radians(357.52911 + 35999.05029 * t);
    const double elongation = radians(297.85036 + 445267.111480 * t);
    const double anomalyRate = radians(35999.05029 / 36525.0);       // radians a day
    const double elongationRate = radians(445267.111480 / 36525.0);
    return (36000.76983 + 0.0006064 * t) / 36525.0 +
           ((1.914602 - 0.004817 * t) * std::cos(anomaly) + 2.0 * 0.019993 * std::cos(2.0 * anomaly)) * anomalyRate +
           6.44 / 3600.0 * std::cos(elongation) * elongationRate;
}

// Universal time of a dynamical-time instant, with the delta T the library
// applies to universal time for that ephemeris. Delta T changes by less than a
// second a year, so the second pass leaves nothing of the first guess.
double universalTime(double julianDayTT, std::int32_t ephemerisFlags) {
    const double firstGuess = julianDayTT - swisseph::deltaT(julianDayTT, ephemerisFlags);
    return julianDayTT - swisseph::deltaT(firstGuess, ephemerisFlags);
}

// Newton steps in dynamical time from the closed form, with the library's
// longitude and the approximate speed, then universal time. A step leaves at most
// a thousandth of itself, so one of up to 100 s (the closed form near our era)
// leaves at most 0.1 s; a larger one gets another step. Should the library fail
// (or refuse, swiss_ephemeris.h), or the search wander off, std::nullopt: the
// closed form stands.
std::optional<double> refinedUniversalTime(double estimateTT, double longitude) {
    constexpr double convergedStep = 100.0 / 86400.0;   // days
    constexpr int maximumSteps = 4;
    double julianDay = estimateTT;
    for (int step = 0; step < maximumSteps; ++step) {
        const std::optional<SunLongitude> sun = apparentSunLongitude(julianDay);
        if (!sun)
            return std::nullopt;
        const double correction = std::remainder(longitude - sun->degrees, 360.0) / approximateSunSpeed(julianDay);
        julianDay += correction;
        if (!(std::abs(julianDay - estimateTT) < 1.0))
            return std::nullopt;
        if (std::abs(correction) <= convergedStep) {
            const double universal = universalTime(julianDay, sun->ephemerisFlags);
            return std::isfinite(universal) ? std::optional<double>(universal) : std::nullopt;
        }
    }
    return std::nullopt;
}

JulianDay computedEvent(int year, SolarEvent event, bool highPrecision) {
    const int computedYear = std::clamp(year, firstComputedYear, lastComputedYear);
    std::optional<double> julianDay;
    if (highPrecision)
        julianDay = refinedUniversalTime(closed_form::dynamicalTime(computedYear, event), apparentLongitude(event));
    if (!julianDay)
        julianDay = closed_form::universalTime(computedYear, event);
    // Beyond the computed years neither the Sun's theory nor delta T means
    // anything; the event keeps its place in the calendar year, so that the events
    // stay in order and move on with the year.
    if (year != computedYear)
        *julianDay += julianDayOfNewYear(year) - julianDayOfNewYear(computedYear);
    return JulianDay{*julianDay};
}

// The program asks for the same few events many times a second (every redraw
// of a screen), and each costs the library a reading of its data files. The
// latest ones are kept per thread, so without locks: direct-mapped on year and
// event, so that the events of sixteen consecutive years live side by side, in
// a kilobyte and a half a thread. An entry holds only under the library's data folder it
// was computed with; its generation is read before computing, so a change of
// folder during the computation leaves an entry that no lookup accepts.
struct RememberedEvent {
    std::uint64_t generation = 0;   // 0: never filled (the library's generations start at 1)
    int year = 0;
    SolarEvent event = SolarEvent::marchEquinox;
    double julianDay = 0.0;
};

constexpr std::size_t rememberedEventCount = 64;
thread_local std::array<RememberedEvent, rememberedEventCount> rememberedEvents{};

RememberedEvent& slotOf(int year, SolarEvent event) noexcept {
    const auto index = static_cast<std::uint64_t>(static_cast<std::int64_t>(year)) * 4 + static_cast<unsigned>(event);
    return rememberedEvents[index % rememberedEventCount];
}

} // namespace

JulianDay solarEvent(int year, SolarEvent event, bool highPrecision) {
    // The closed form alone is cheap and is not kept.
    if (!highPrecision)
        return computedEvent(year, event, false);
    const std::uint64_t generation = swisseph::ephemerisGeneration();
    RememberedEvent& slot = slotOf(year, event);
    if (slot.generation == generation && slot.year == year && slot.event == event)
        return JulianDay{slot.julianDay};
    const JulianDay computed = computedEvent(year, event, true);
    slot = RememberedEvent{generation, year, event, computed.value};
    return computed;
}

} // namespace astronomy
