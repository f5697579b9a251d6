#pragma once
// Building blocks shared by the engine's calendar code. Each public operation
// reads the user's calendar once, at its start, and hands it down to these, so
// one answer never mixes two time zones. Not part of the engine's interface.

#include "platform/core/calendar.h"

#include <optional>

namespace engine::detail {

// The instant whose fields read year-month-day hour:minute:second on the clocks
// of `zone`, built leniently by the calendar.
std::optional<platform::Date> dateInZone(const platform::Calendar& calendar, const platform::TimeZone& zone, int year,
                                         int month, int day, int hour, int minute, int second);

// The same on the calendar's own clocks.
std::optional<platform::Date> localDate(const platform::Calendar& calendar, int year, int month, int day, int hour,
                                        int minute, int second);

// Local midnight of year-month-day, built leniently in the calendar's zone.
std::optional<platform::Date> localMidnight(const platform::Calendar& calendar, int year, int month, int day);

// The same month, day and time of day in `year`, built leniently; the date itself
// when the calendar cannot place it or build the result.
platform::Date inYear(const platform::Calendar& calendar, platform::Date date, int year);

} // namespace engine::detail
