#pragma once
// The four moments of a year at which the Sun's apparent geocentric longitude
// reaches a multiple of 90 degrees, in universal time.
//
// Private to the astronomy stand-in; the program reaches them through Earth.

#include "platform/core/julian_day.h"

#include <cstdint>

namespace astronomy {

enum class SolarEvent : std::uint8_t {
    marchEquinox = 0,       // 0 degrees
    juneSolstice = 1,       // 90 degrees
    septemberEquinox = 2,   // 180 degrees
    decemberSolstice = 3,   // 270 degrees
};

constexpr double apparentLongitude(SolarEvent event) noexcept {
    return 90.0 * static_cast<int>(event);
}

// Years whose events are computed; the Swiss Ephemeris library computes the Sun
// from 28 February -3001 to 29 April 3003 (with its data files 1800 to 2399,
// with its analytic theory elsewhere).
inline constexpr int firstComputedYear = -3000;
inline constexpr int lastComputedYear = 3000;

// The event of astronomical year `year` (0 is 1 BC): the March equinox is the one
// in that calendar year, the other three follow it in order.
//
// With `highPrecision` the closed form is refined with the library's Sun; without,
// the closed form alone. While the library may not be asked with its data files
// (an SE_EPHE_PATH that names the current folder, a data file refused, no
// private folder: swiss_ephemeris.h) the closed form stands too, with a delta T of its own (delta_t.h): within three minutes of
// the precise instant from 1700 to 2020 and 25 minutes elsewhere, never a value
// that is not a number. Years outside the computed ones keep the place in the
// calendar year (day and time after the start of 1 January, UTC) that the event
// has in the nearest computed year. Never throws; always finite.
//
// The latest precise results are kept per thread (a few dozen); a change of the
// library's data folder through swisseph::setEphemerisPath, on any thread, is
// heeded by the next call.
JulianDay solarEvent(int year, SolarEvent event, bool highPrecision);

} // namespace astronomy
