#include "mooncalc/moon_rise_set_calculator.h"

#include "datehelper/seconds_per_unit.h"
#include "mooncalc/sun_moon_calculator.h"
#include "platform/core/julian_day_numbers.h"

#include <cmath>

namespace mooncalc {

RiseSetResult MoonRiseSetCalculator::getMoonRise(platform::Date date) const { return getMoonRiseOrSet(date, true); }

RiseSetResult MoonRiseSetCalculator::getMoonSet(platform::Date date) const { return getMoonRiseOrSet(date, false); }

RiseSetResult MoonRiseSetCalculator::getMoonRiseOrSet(platform::Date date, bool isRise) const {
    auto calculator = SunMoonCalculator::make(date, location_);
    if (!calculator) return RiseSetError{calculator.error()};
    calculator->calcSunAndMoon();
    double event = isRise ? calculator->moonRise : calculator->moonSet;
    // The refinement follows the hour angle at which the Moon rises for its
    // declination of the moment. Where it nears grazing the horizon that
    // declination moves the event by hours within a day, and the refinement
    // can settle on a later day's event or on none while the Moon still rises
    // that day; its altitude, stepped through the day, decides there.
    if (event == -1.0 || calculator->moonCanGrazeHorizon()) {
        const double instant = calculator->julianDayUT();
        const std::optional<double> stepped = calculator->moonRiseOrSetByAltitude(isRise);
        constexpr double sameEvent = 60.0 / datehelper::dayInSeconds;   // days
        if (stepped) {
            if (event == -1.0 || std::fabs(event - *stepped) > sameEvent) event = *stepped;
        } else if (event >= std::floor(instant - 0.5) + 0.5 && event <= instant + 1.0) {
            event = -1.0;   // no crossing that way: the Moon only grazes the horizon, or turns back
        }
    }
    if (event == -1.0) return RiseSetError{RiseSetErrorReason::unableToFormDateFromComponents};
    const auto fields = SunMoonCalculator::getDate(event);
    if (!fields) return RiseSetError{fields.error()};
    const auto instant = getDateFromComponents(*fields);
    if (!instant) return RiseSetError{RiseSetErrorReason::unableToFormDateFromComponents};
    return *instant;
}

std::optional<platform::Date> MoonRiseSetCalculator::getDateFromComponents(
    const std::array<std::int64_t, 6>& fields) noexcept {
    // The fields come from a Julian day within the calendar's range; anything
    // larger could not name a day the calendar holds.
    constexpr std::int64_t limit = std::int64_t{1} << 40;
    for (const std::int64_t field : fields)
        if (field < -limit || field > limit) return std::nullopt;
    const std::int64_t month0 = fields[1] - 1;
    const std::int64_t year = fields[0] + astronomy::floorDivide(month0, 12);
    const int month = static_cast<int>(astronomy::floorModulo(month0, 12)) + 1;
    const std::int64_t dayNumber = astronomy::dayNumberOfCivilDate(year, month, fields[2]);
    const double julianDay = static_cast<double>(dayNumber) - 0.5;
    if (julianDay < astronomy::earliestJulianDay || julianDay > astronomy::latestJulianDay) return std::nullopt;
    // Whole numbers below 2^53 each, and so is their sum: exact.
    const double seconds = static_cast<double>(dayNumber - astronomy::unixEpochDayNumber) * datehelper::dayInSeconds +
                           static_cast<double>(fields[3]) * datehelper::hourInSeconds +
                           static_cast<double>(fields[4]) * datehelper::minuteInSeconds + static_cast<double>(fields[5]);
    return platform::Date::fromSecondsSince1970(seconds);
}

} // namespace mooncalc
