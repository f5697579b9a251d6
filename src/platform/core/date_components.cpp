#include "platform/core/date_components.h"

namespace platform {

namespace {

template <typename Components>
auto& field(Components& components, CalendarComponent component) noexcept {
    switch (component) {
    case CalendarComponent::era: return components.era;
    case CalendarComponent::year: return components.year;
    case CalendarComponent::month: return components.month;
    case CalendarComponent::day: return components.day;
    case CalendarComponent::hour: return components.hour;
    case CalendarComponent::minute: return components.minute;
    case CalendarComponent::second: return components.second;
    case CalendarComponent::nanosecond: return components.nanosecond;
    case CalendarComponent::weekday: return components.weekday;
    case CalendarComponent::weekdayOrdinal: return components.weekdayOrdinal;
    case CalendarComponent::quarter: return components.quarter;
    case CalendarComponent::weekOfMonth: return components.weekOfMonth;
    case CalendarComponent::weekOfYear: return components.weekOfYear;
    case CalendarComponent::yearForWeekOfYear: return components.yearForWeekOfYear;
    case CalendarComponent::dayOfYear: return components.dayOfYear;
    }
    return components.dayOfYear;   // not reached: every enumerator is handled above
}

} // namespace

std::optional<int> DateComponents::value(CalendarComponent component) const noexcept {
    return field(*this, component);
}

void DateComponents::setValue(CalendarComponent component, std::optional<int> value) noexcept {
    field(*this, component) = value;
}

} // namespace platform
