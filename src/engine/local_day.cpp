#include "engine/local_day.h"

#include "engine/calendar_steps.h"

#include <cmath>

namespace engine::detail {

std::optional<platform::Date> startOfLocalDay(const platform::Calendar& calendar, int year, int month, int day) {
    const auto midnight = localMidnight(calendar, year, month, day);
    if (!midnight)
        return std::nullopt;
    // A midnight the zone's clocks read as 00:00 exists, so nothing of the day
    // comes before it (a repeated midnight is built as its first occurrence).
    // Only where a clock change skips it need the calendar look for the day's
    // first moment; asking the offset costs far less than that search.
    const double wallClockSeconds = midnight->secondsSince1970() + calendar.timeZone().secondsFromGMT(*midnight);
    if (std::fmod(wallClockSeconds, 86400.0) == 0.0)
        return midnight;
    return calendar.startOfDay(*midnight);
}

} // namespace engine::detail
