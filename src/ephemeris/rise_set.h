#pragma once
// The next instant at which a body rises above, or sets below, the horizon of a
// place, as the library computes it: for the body's centre or disc edge and with
// refraction as the library chooses by default.

#include "ephemeris/celestial_body.h"
#include "platform/core/date.h"

#include <cstdint>
#include <optional>

namespace ephemeris {

enum class HorizonEvent { rise, set };

namespace detail {

std::optional<platform::Date> nextHorizonEvent(HorizonEvent event, platform::Date date, std::int32_t bodyNumber,
                                               double longitude, double latitude, double altitude,
                                               double atmosphericPressure, double atmosphericTemperature);

} // namespace detail

template <CelestialBody T, HorizonEvent Event>
class HorizonCrossing {
public:
    // Searches from `date` for a place at `longitude`, `latitude` (degrees, east
    // and north positive) and `altitude` (metres), with the air's pressure
    // (hectopascals; 0 lets the library estimate it) and temperature (degrees
    // Celsius) for refraction.
    HorizonCrossing(platform::Date date, T body, double longitude, double latitude, double altitude,
                    double atmosphericPressure, double atmosphericTemperature) {
        if constexpr (NumberedBody<T>)
            date_ = detail::nextHorizonEvent(Event, date, value(body), longitude, latitude, altitude,
                                             atmosphericPressure, atmosphericTemperature);
    }

    // The event's instant. Absent when the body does not rise or set there in the
    // coming day (circumpolar or never rising), when the library cannot compute it
    // or the arguments are not valid (a latitude beyond ±90, values that are not
    // finite), and always for a fixed star, which the library is not asked about.
    std::optional<platform::Date> date() const noexcept { return date_; }

private:
    std::optional<platform::Date> date_;
};

template <CelestialBody T>
using RiseTime = HorizonCrossing<T, HorizonEvent::rise>;

template <CelestialBody T>
using SetTime = HorizonCrossing<T, HorizonEvent::set>;

} // namespace ephemeris
