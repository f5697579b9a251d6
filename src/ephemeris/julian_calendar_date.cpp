#include "ephemeris/julian_date.h"

#include "platform/core/calendar.h"
#include "platform/core/julian_day_numbers.h"
#include "platform/core/swiss_ephemeris.h"

#include <tuple>

namespace ephemeris {

std::optional<double> julianCalendarDate(platform::Date date) {
    using platform::CalendarComponent;
    const auto fields = platform::Calendar::current().components(
        {CalendarComponent::era, CalendarComponent::year, CalendarComponent::month, CalendarComponent::day,
         CalendarComponent::hour},
        date);
    if (!fields.era || !fields.year || !fields.month || !fields.day || !fields.hour) return std::nullopt;
    // The library counts years astronomically: 1 BC is year 0, 2 BC is -1.
    const int year = astronomy::astronomicalYear(*fields.era, *fields.year);
    // The calendar gives Julian-calendar fields before 15 October 1582; the
    // library must read them as such.
    const bool gregorian = std::tuple(year, *fields.month, *fields.day) >= std::tuple(1582, 10, 15);
    return swisseph::julianDay(year, *fields.month, *fields.day, static_cast<double>(*fields.hour), gregorian);
}

} // namespace ephemeris
