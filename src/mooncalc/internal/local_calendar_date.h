#pragma once
// The calendar date of an instant in the user's current calendar and zone, read
// afresh at each call, with an astronomical year number (0 is 1 BC).

#include "platform/core/date.h"
#include "platform/core/julian_day_numbers.h"

#include <optional>

namespace mooncalc::detail {

// Absent for an instant the calendar cannot place (not finite, or beyond its
// range of some 950,000 years).
std::optional<astronomy::CivilDate> localCalendarDate(platform::Date date);

} // namespace mooncalc::detail
