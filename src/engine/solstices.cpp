#include "engine/solstices.h"

#include "engine/calendar_steps.h"
#include "platform/core/calendar.h"
#include "platform/core/earth.h"
#include "platform/core/julian_day.h"

#include <type_traits>

namespace engine {

using platform::Calendar;
using platform::Date;

namespace {

// The Earth object names its year by the calendar year of the Julian day it is
// built for, so it is given local midnight of 1 January; east of UTC that moment
// still lies in the old year by UTC, but it is the new year where the user is.
// The event comes back in universal time and is rebuilt from its UTC fields,
// which drops any fraction of a second.
template <typename Event>
Date eventInstant(int year, Event which) {
    const Calendar calendar = Calendar::current();
    const auto newYearsMidnight = detail::localMidnight(calendar, year, 1, 1);
    if (!newYearsMidnight)
        return Date::now();

    const astronomy::Earth earth(astronomy::JulianDay::of(*newYearsMidnight), true);
    astronomy::JulianDay event;
    if constexpr (std::is_same_v<Event, astronomy::Equinox>)
        event = earth.equinox(which);
    else
        event = earth.solstice(which);

    const astronomy::UtcFields utc = astronomy::utcFields(event.date());
    return detail::dateInZone(calendar, platform::TimeZone::utc(), utc.year, utc.month, utc.day, utc.hour, utc.minute,
                              utc.second)
        .value_or(Date::now());
}

} // namespace

Date getSpringEquinoxDate(int year) { return eventInstant(year, astronomy::Equinox::march); }
Date getAutumnEquinoxDate(int year) { return eventInstant(year, astronomy::Equinox::september); }
Date getSummerSolsticeDate(int year) { return eventInstant(year, astronomy::Solstice::june); }
Date getWinterSolsticeDate(int year) { return eventInstant(year, astronomy::Solstice::december); }

} // namespace engine
