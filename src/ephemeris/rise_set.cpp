#include "ephemeris/rise_set.h"

#include "ephemeris/julian_date.h"
#include "platform/core/swiss_ephemeris.h"

#include <variant>

namespace ephemeris::detail {

std::optional<platform::Date> nextHorizonEvent(HorizonEvent event, platform::Date date, std::int32_t bodyNumber,
                                               double longitude, double latitude, double altitude,
                                               double atmosphericPressure, double atmosphericTemperature) {
    const auto result =
        swisseph::riseOrSet(julianDate(date), bodyNumber, event == HorizonEvent::rise, longitude, latitude, altitude,
                            swisseph::Atmosphere{atmosphericPressure, atmosphericTemperature});
    const auto* when = std::get_if<std::optional<double>>(&result);
    if (!when || !*when) return std::nullopt;
    return dateFromJulianDate(**when);
}

} // namespace ephemeris::detail
