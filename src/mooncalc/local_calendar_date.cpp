#include "mooncalc/internal/local_calendar_date.h"

#include "platform/core/calendar.h"

namespace mooncalc::detail {

std::optional<astronomy::CivilDate> localCalendarDate(platform::Date date) {
    using platform::CalendarComponent;
    const auto fields = platform::Calendar::current().components(
        {CalendarComponent::era, CalendarComponent::year, CalendarComponent::month, CalendarComponent::day}, date);
    if (!fields.era || !fields.year || !fields.month || !fields.day) return std::nullopt;
    const std::int64_t year = astronomy::astronomicalYear(*fields.era, std::int64_t{*fields.year});
    return astronomy::CivilDate{year, *fields.month, *fields.day};
}

} // namespace mooncalc::detail
