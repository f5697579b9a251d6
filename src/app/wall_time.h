#pragma once
// A date and a clock time as the clocks show them, in no time zone: the
// notification time as the user chose it. It is the value itself, so it stays
// what it is when the zone changes, and also where the clocks skip it on its
// own date. The instant it names is worked out whenever one is needed, in the
// zone current then, as date_from.h builds one: a clock time that the clocks
// skip that day moves forward by the gap, a repeated one is its first
// occurrence.

#include "platform/core/date.h"

#include <optional>

namespace app {

struct WallTime {
    int year = 1970;   // of the Christian era, 1 to 9999
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    friend bool operator==(const WallTime&, const WallTime&) = default;
};

// What the user's calendar shows at `date` in the current zone, rounded to the
// millisecond; none where its year there is not one of 1 to 9999.
std::optional<WallTime> wallTimeAt(platform::Date date);

// The instant in the current zone; none where the calendar forms none.
std::optional<platform::Date> instantOf(const WallTime& time);

} // namespace app
