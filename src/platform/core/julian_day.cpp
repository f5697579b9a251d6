#include "platform/core/julian_day.h"

#include "platform/core/julian_day_numbers.h"

#include <cmath>
#include <cstdint>

namespace astronomy {

UtcFields utcFields(platform::Date date) {
    constexpr double earliest = (earliestJulianDay - JulianDay::unixEpoch) * 86400.0;
    constexpr double latest = (latestJulianDay - JulianDay::unixEpoch) * 86400.0;
    double seconds = date.secondsSince1970();
    if (std::isnan(seconds))
        seconds = 0.0;
    seconds = std::fmin(std::fmax(seconds, earliest), latest);

    const auto whole = static_cast<std::int64_t>(std::floor(seconds));
    const std::int64_t secondOfDay = floorModulo(whole, 86400);
    const CivilDate civil = civilDateOfDayNumber(dayNumberOfUnixSeconds(whole));
    return UtcFields{
        .year = static_cast<int>(civil.year),
        .month = civil.month,
        .day = civil.day,
        .hour = static_cast<int>(secondOfDay / 3600),
        .minute = static_cast<int>(secondOfDay % 3600 / 60),
        .second = static_cast<int>(secondOfDay % 60),
    };
}

} // namespace astronomy
