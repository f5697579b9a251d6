#pragma once
// The equinox and solstice instants of a year for the engine's own code, with
// the user's calendar read once by the caller. Not part of the engine's
// interface; solstices.h gives the same instants to everyone else.

#include "platform/core/calendar.h"

#include <cstdint>

namespace engine::detail {

// In the order of the year, March equinox first; names as in the north.
enum class YearEvent : std::uint8_t { marchEquinox, juneSolstice, septemberEquinox, decemberSolstice };

// The instant of the event of `year` in the calendar's zone, with whole
// seconds; the present moment when the calendar cannot place the year.
platform::Date eventInstant(const platform::Calendar& calendar, int year, YearEvent event);

// crossQuarterMidpoint (astronomical_date.h) on the given calendar.
platform::Date crossQuarterMidpoint(const platform::Calendar& calendar, platform::Date first, platform::Date second);

} // namespace engine::detail
