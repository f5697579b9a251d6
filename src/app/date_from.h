#pragma once
// An instant from its six local fields, as the program builds its default
// notification time: the Gregorian calendar (Julian before 15 October 1582, as
// the user's calendar is) in the current time zone, read afresh at each call.
//
// Building is lenient: a value beyond its range runs on into the next unit
// (29 February 2023 is 1 March 2023, hour 24 is the next day's midnight). A
// clock time that a change of the clocks skips moves forward by the gap; a
// repeated one is its first occurrence. None when a value does not fit the
// calendar's fields or the calendar forms no instant.

#include "platform/core/date.h"

#include <cstdint>
#include <optional>

namespace app {

std::optional<platform::Date> gregorianDateFrom(std::int64_t year, std::int64_t month, std::int64_t day,
                                                std::int64_t hour, std::int64_t minute, std::int64_t second);

} // namespace app
