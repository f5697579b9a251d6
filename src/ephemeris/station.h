#pragma once
// Whether a body's ecliptic longitude grows (direct motion), stands still or
// shrinks (retrograde motion) over an interval.

#include "ephemeris/coordinate.h"
#include "ephemeris/expected.h"

#include <cmath>

namespace ephemeris {

enum class Station : int {
    direct = 0,
    stationary = 1,
    retrograde = 2,
};

namespace detail {

// Longitude at the start less longitude at the end, brought into (-180, 180] so
// that a pass through 0 degrees counts as the short way round.
inline Station stationOf(double startLongitude, double endLongitude) noexcept {
    double difference = std::fmod(startLongitude - endLongitude, 360.0);
    if (difference > 180.0) difference -= 360.0;
    if (difference <= -180.0) difference += 360.0;
    if (difference < 0.0) return Station::direct;
    if (difference > 0.0) return Station::retrograde;
    return Station::stationary;   // exactly equal, or not a number
}

} // namespace detail

// Compares the longitude of `coordinate` with that of the same body
// `timeInterval` seconds later, without tolerance: only equal longitudes are
// stationary. An error when the second position cannot be computed.
template <CelestialBody T>
Expected<Station> makeStation(const Coordinate<T>& coordinate, double timeInterval) {
    const auto later = Coordinate<T>::make(coordinate.body(), coordinate.date().addingTimeInterval(timeInterval));
    if (!later) return later.error();
    return detail::stationOf(coordinate.longitude(), later->longitude());
}

} // namespace ephemeris
