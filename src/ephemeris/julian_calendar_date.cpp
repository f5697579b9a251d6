#include "ephemeris/julian_date.h"

#include "platform/core/calendar.h"
#include "platform/core/swiss_ephemeris.h"

namespace ephemeris {

std::optional<double> julianCalendarDate(platform::Date date) {
    using platform::CalendarComponent;
    const auto fields = platform::Calendar::current().components(
        {CalendarComponent::year, CalendarComponent::month, CalendarComponent::day, CalendarComponent::hour}, date);
    if (!fields.year || !fields.month || !fields.day || !fields.hour) return std::nullopt;
    return swisseph::julianDay(*fields.year, *fields.month, *fields.day, static_cast<double>(*fields.hour), true);
}

} // namespace ephemeris
