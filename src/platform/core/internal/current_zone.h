#pragma once
// What TimeZone::current reads TZ as, for the code that rewrites TZ. Private to
// src/platform/core.

#include "platform/core/time_zone.h"

#include <string>

namespace platform::current_zone {

// From now on TimeZone::current() reads `tzValue` in TZ as `zone`, until TZ
// holds another value. For a TZ the program writes itself after reading the
// zone in full: the value written may carry less (a POSIX string holds the
// zone's present rules, not its history).
void readTzValueAs(std::string tzValue, TimeZone zone);

} // namespace platform::current_zone
