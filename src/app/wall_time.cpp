#include "app/wall_time.h"

#include "app/date_from.h"

#include "platform/core/calendar.h"

#include <cmath>

namespace app {

std::optional<WallTime> wallTimeAt(platform::Date date) {
    using platform::CalendarComponent;
    const double milliseconds = std::round(date.secondsSince1970() * 1000.0);
    const double wholeSeconds = std::floor(milliseconds / 1000.0);
    const platform::DateComponents fields = platform::Calendar::current().components(
        {CalendarComponent::era, CalendarComponent::year, CalendarComponent::month, CalendarComponent::day,
         CalendarComponent::hour, CalendarComponent::minute, CalendarComponent::second},
        platform::Date::fromSecondsSince1970(wholeSeconds));
    if (fields.era != 1 || !fields.year || *fields.year > 9999 || !fields.month || !fields.day || !fields.hour ||
        !fields.minute || !fields.second) {
        return std::nullopt;
    }
    return WallTime{*fields.year,   *fields.month,  *fields.day,
                    *fields.hour,   *fields.minute, *fields.second,
                    static_cast<int>(milliseconds - wholeSeconds * 1000.0)};
}

std::optional<platform::Date> instantOf(const WallTime& time) {
    const auto whole = gregorianDateFrom(time.year, time.month, time.day, time.hour, time.minute, time.second);
    if (!whole) return std::nullopt;
    return whole->addingTimeInterval(time.millisecond / 1000.0);
}

} // namespace app
