#pragma once
// Instants from local wall-clock fields in the zone the test runs in, and the
// first gap of that zone's clocks, found with Qt's time-zone data rather than
// with the calendar under test.

#include "platform/core/date.h"
#include "support/dates.h"

#include <optional>

namespace testsupport {

struct ClockGap {
    int year = 0, month = 0, day = 0;   // the local day that the clocks jump on
    int hour = 0, minute = 0;           // a clock time inside the gap on that day
    double length = 0.0;                // seconds the clocks jump
    platform::Date noonOfDay;           // that day at 12:00
    platform::Date movedForward;        // hour:minute read before the jump, that is, moved on by `length`
};

// The first gap from `fromYear` on, shorter than a day; none in a zone without one.
std::optional<ClockGap> firstClockGap(int fromYear = 2025);

} // namespace testsupport
