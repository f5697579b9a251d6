#include "mooncalc/moon_rise_set_calculator.h"

#include "datehelper/seconds_per_unit.h"
#include "mooncalc/internal/sun_moon_parts.h"
#include "mooncalc/sun_moon_calculator.h"
#include "platform/core/julian_day_numbers.h"

#include <cmath>
#include <optional>

namespace mooncalc {
namespace {

// Where the Moon does not come near grazing the horizon, two moonrises (or
// two moonsets) come at least 24.1 hours apart below 56 degrees of latitude
// and 19.5 hours below 85 degrees (the Swiss Ephemeris, 2015 to 2035, a whole
// cycle of the Moon's nodes). The refinement counts on an hour and more less,
// for the years and the theory not measured: 23 hours where the Moon never
// nears grazing (below 52.4 degrees, within the 56), 18 hours elsewhere. A
// shorter interval trusts fewer refined events at once, which costs only
// more work. Near grazing the Moon's altitude decides. In days.
constexpr double shortestIntervalNeverNearGrazing = 23.0 * datehelper::hourInSeconds / datehelper::dayInSeconds;
constexpr double shortestIntervalElsewhere = 18.0 * datehelper::hourInSeconds / datehelper::dayInSeconds;

double shortestInterval(double latitude) noexcept {
    return std::fabs(latitude) <= detail::neverNearGrazingLatitude ? shortestIntervalNeverNearGrazing
                                                                   : shortestIntervalElsewhere;
}

// From one moonrise to the next, on average: a day and a day over the
// synodic month.
constexpr double meanLunarDay = 29.530588853 / 28.530588853;   // days

// The refinement chooses between the last event before the instant and the
// next by their hour angles at the instant, which can be half an hour off
// (hours far north), and may pass over one near a UT midnight. The refined
// `event` stands where it lies less than half the shortest interval from the
// instant (no other can be nearer, or lie between), and ahead of it where the
// one before it cannot fall on the instant's UT day. Otherwise the event on
// the other side of the instant is refined too, and when the two are
// consecutive the one promised is taken: the next, or the last one before
// when nearer and on the instant's UT day. Absent when that cannot be told.
std::optional<double> promisedEvent(const SunMoonCalculator& calculator, double event, bool rise,
                                    double shortest) {
    const double instant = calculator.julianDayUT();
    const double dayStart = std::floor(instant - 0.5) + 0.5;
    const bool ahead = event >= instant;
    const double distance = std::fabs(event - instant);
    if (ahead ? distance < shortest / 2.0 || (distance < shortest && event - shortest < dayStart)
              : distance < shortest / 2.0 && event >= dayStart)
        return event;
    const std::optional<double> other =
        calculator.moonRiseOrSetFrom(event + (ahead ? -meanLunarDay : meanLunarDay), rise);
    if (!other || (*other < instant) != ahead) return std::nullopt;
    // Any event between the two would lie the shortest interval from both.
    const double apart = std::fabs(event - *other);
    if (apart < shortest || apart >= 2.0 * shortest) return std::nullopt;
    const double before = ahead ? *other : event;
    const double after = ahead ? event : *other;
    return before >= dayStart && instant - before < after - instant ? before : after;
}

} // namespace

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
    // that day; its altitude, stepped through the day, decides there, and
    // wherever the refinement cannot tell which event is promised.
    std::optional<double> promised;
    if (event != -1.0 && !calculator->moonCanGrazeHorizon())
        promised = promisedEvent(*calculator, event, isRise, shortestInterval(location_.latitude));
    if (promised) {
        event = *promised;
    } else {
        const double instant = calculator->julianDayUT();
        const std::optional<double> stepped = calculator->moonRiseOrSetByAltitude(isRise);
        constexpr double sameEvent = 60.0 / datehelper::dayInSeconds;   // days
        if (stepped) {
            if (event == -1.0 || std::fabs(event - *stepped) > sameEvent) event = *stepped;
        } else if (event <= instant + 1.0) {
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
