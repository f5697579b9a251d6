#pragma once
// The day and the clock time of an instant in the user's calendar and time zone,
// and the instant that keeps one of them and takes the other anew. The pickers
// of the sheets edit instants through these.
//
// A clock time that a change of the clocks skips on the chosen day moves forward
// by the length of the gap (02:30 on a day that jumps from 02:00 to 03:00 is
// 03:30); a repeated one is its first occurrence.

#include "platform/core/date.h"

#include <optional>

namespace sheets {

// Year as astronomers count it (1 BC is 0, 2 BC is -1), so that years before
// the era survive a trip through the calendar picker's dates.
struct LocalDay {
    int year = 1970;
    int month = 1;
    int day = 1;
    friend bool operator==(const LocalDay&, const LocalDay&) = default;
};

struct ClockTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

LocalDay localDay(platform::Date date);
ClockTime clockTime(platform::Date date);

// `date`'s clock time on another day; none where the calendar forms no instant.
std::optional<platform::Date> onDay(platform::Date date, LocalDay day);

// `date`'s day and second at another hour and minute; none where the calendar
// forms no instant.
std::optional<platform::Date> atHourAndMinute(platform::Date date, int hour, int minute);

} // namespace sheets
