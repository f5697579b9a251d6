#pragma once
// The first moment of a local calendar day, which is what every festival,
// season and Easter date of the engine is, and the calendar the engine's day
// arithmetic runs on. Not part of the engine's interface.

#include "platform/core/calendar.h"

#include <optional>

namespace engine::detail {

// First moment of year-month-day on the calendar's clocks: local midnight, or
// where a clock change skips midnight the first moment the day has. The day is
// built leniently (day 0 is the last day of the month before); year 0 is 1 BC.
// None when the calendar cannot place the day.
//
// The answers for recent days are kept per thread, for the calendar's zone;
// they are the calendar's own, as current as its rules (see the .cpp).
std::optional<platform::Date> startOfLocalDay(const platform::Calendar& calendar, int year, int month, int day);

// The user's calendar for the engine's day arithmetic: the current zone, read
// afresh at every call, on the Gregorian calendar of Calendar::current(). No
// field the engine builds or reads (era, year, month, day, time of day)
// depends on the locale, so it is a fixed one rather than the user's, which
// would be read from the environment at every call.
platform::Calendar userCalendar();

// The engine's answer where the calendar cannot build a date: the present
// moment, read only then.
inline platform::Date orPresentMoment(const std::optional<platform::Date>& date) {
    return date ? *date : platform::Date::now();
}

} // namespace engine::detail
