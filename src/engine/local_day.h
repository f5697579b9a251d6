#pragma once
// The first moment of a local calendar day, which is what every festival,
// season and Easter date of the engine is. Not part of the engine's interface.

#include "platform/core/calendar.h"

#include <optional>

namespace engine::detail {

// First moment of year-month-day on the calendar's clocks: local midnight, or
// where a clock change skips midnight the first moment the day has. The day is
// built leniently (day 0 is the last day of the month before); year 0 is 1 BC.
// None when the calendar cannot place the day.
std::optional<platform::Date> startOfLocalDay(const platform::Calendar& calendar, int year, int month, int day);

} // namespace engine::detail
