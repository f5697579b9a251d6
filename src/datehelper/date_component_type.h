#pragma once
// The calendar unit of the toolkit's arithmetic. The raw values are the
// unit's stable ordinals; callers may store them.

#include "platform/core/calendar_component.h"

namespace datehelper {

enum class DateComponentType : int {
    second = 0,
    minute = 1,
    hour = 2,
    day = 3,          // day of the month
    weekday = 4,      // 1 Sunday to 7 Saturday
    nthWeekday = 5,   // the n-th such weekday of the month: 1 for days 1 to 7, 2 for 8 to 14...
    week = 6,         // week of the year
    month = 7,
    year = 8,
};

// The platform calendar's field for the unit.
constexpr platform::CalendarComponent calendarComponent(DateComponentType type) noexcept {
    using platform::CalendarComponent;
    switch (type) {
    case DateComponentType::second: return CalendarComponent::second;
    case DateComponentType::minute: return CalendarComponent::minute;
    case DateComponentType::hour: return CalendarComponent::hour;
    case DateComponentType::day: return CalendarComponent::day;
    case DateComponentType::weekday: return CalendarComponent::weekday;
    case DateComponentType::nthWeekday: return CalendarComponent::weekdayOrdinal;
    case DateComponentType::week: return CalendarComponent::weekOfYear;
    case DateComponentType::month: return CalendarComponent::month;
    case DateComponentType::year: return CalendarComponent::year;
    }
    return CalendarComponent::day;   // not reached for a named unit
}

} // namespace datehelper
