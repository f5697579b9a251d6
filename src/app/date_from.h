#pragma once
// An instant from year, month, day, hour, minute and second, read in the
// Gregorian calendar and the device's current time zone. Leniently: a value
// beyond its field's range runs on into the next unit.

#include "platform/core/date.h"

#include <cstdint>
#include <optional>

namespace app {

// None when the calendar forms no instant (a value beyond what it can hold).
std::optional<platform::Date> dateFrom(std::int64_t year, std::int64_t month, std::int64_t day, std::int64_t hour,
                                       std::int64_t minute, std::int64_t second);

} // namespace app
