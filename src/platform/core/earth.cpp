#include "platform/core/earth.h"

#include "platform/core/internal/solar_events.h"
#include "platform/core/julian_day_numbers.h"
#include "platform/core/time_zone.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace astronomy {
namespace {

// The calendar year, in the user's current time zone, of a Julian day; on the
// calendar of platform::Calendar::current() (Julian before 15 October 1582).
// The moment is taken to the nearest second: a Julian day holds an instant only
// to some tens of microseconds (milliseconds far from our era), and local midnight
// that comes back a hair early, maybe before a change of the zone's offset, must
// still name the new year.
int localYear(JulianDay julianDay) {
    const double value = std::isnan(julianDay.value)
                             ? JulianDay::unixEpoch
                             : std::clamp(julianDay.value, earliestJulianDay, latestJulianDay);
    const double seconds = std::round(JulianDay{value}.date().secondsSince1970());
    const int offset = platform::TimeZone::current().secondsFromGMT(platform::Date::fromSecondsSince1970(seconds));
    const auto localSeconds = static_cast<std::int64_t>(seconds) + offset;
    return static_cast<int>(civilDateOfDayNumber(dayNumberOfUnixSeconds(localSeconds)).year);
}

} // namespace

Earth::Earth(JulianDay julianDay, bool highPrecision)
    : julianDay_(julianDay), highPrecision_(highPrecision), year_(localYear(julianDay)) {}

JulianDay Earth::equinox(Equinox which) const {
    return solarEvent(year_, which == Equinox::march ? SolarEvent::marchEquinox : SolarEvent::septemberEquinox,
                      highPrecision_);
}

JulianDay Earth::solstice(Solstice which) const {
    return solarEvent(year_, which == Solstice::june ? SolarEvent::juneSolstice : SolarEvent::decemberSolstice,
                      highPrecision_);
}

double Earth::seasonLength(SeasonIndex season, bool northernHemisphere) const {
    // A season runs from one event to the next; the southern seasons start half a
    // year later than the northern ones of the same name.
    const int first = (static_cast<int>(season) + (northernHemisphere ? 0 : 2)) % 4;
    const int next = first + 1;
    const JulianDay start = solarEvent(year_, static_cast<SolarEvent>(first), highPrecision_);
    const JulianDay end = solarEvent(next < 4 ? year_ : year_ + 1, static_cast<SolarEvent>(next % 4), highPrecision_);
    return end.value - start.value;
}

} // namespace astronomy
