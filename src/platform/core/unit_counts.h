#pragma once
// Counting units between two instants, in 64 bits. Counts never overflow: a
// count beyond the 64-bit range stops at its nearest end.

#include "platform/core/calendar.h"
#include "platform/core/calendar_component.h"
#include "platform/core/date.h"

#include <cstdint>
#include <optional>

namespace platform {

// Whole units of `secondsPerUnit` (1 to 2^36) elapsed from `start` to `end`,
// truncated toward zero (-5,399 s is -1 hour); negative when `end` is earlier.
// The interval is the exact difference of the two instants, not its rounding
// to a double: from 0.0000001 s to 60 s is 0 minutes. An interval that is not
// a number counts 0; an infinite one, or one whose count leaves the 64-bit
// range, the nearest end of that range.
std::int64_t elapsedUnits(Date start, Date end, std::int64_t secondsPerUnit) noexcept;

// Boundaries of `unit` crossed from `start` to `end` in `calendar`: the
// difference of the two instants' positions in the era, so 23:59 to 00:01 of
// the next day is one day and 31 January to 1 February one month, whatever the
// time elapsed. std::nullopt when the calendar cannot place either instant or
// does not number the unit within the era.
std::optional<std::int64_t> boundariesCrossed(const Calendar& calendar, CalendarComponent unit, Date start,
                                              Date end);

} // namespace platform
