#pragma once
// Calendar arithmetic on instants. Every calendar built here is Gregorian
// (Julian before 15 October 1582, as the platform's), counts weeks from Sunday
// and calls the week that holds 1 January the first of its year, whatever the
// user's locale. The instant passed in never changes; each call builds what it
// needs and keeps nothing.

#include "datehelper/date_component_type.h"
#include "platform/core/calendar.h"
#include "platform/core/date.h"
#include "platform/core/time_zone.h"

#include <optional>

namespace datehelper {

// The Gregorian calendar of `timeZone`, as described above.
platform::Calendar calendar(const platform::TimeZone& timeZone);

// 00:00:00 UTC of the UTC day that holds `date`, whatever the user's zone. An
// instant beyond the calendar's range (or not finite) comes back unchanged.
platform::Date startOfDay(platform::Date date);

// 23:59:59 UTC of that same day: always 86,399 s after startOfDay(date);
// std::nullopt when the calendar cannot place the day.
std::optional<platform::Date> endOfDay(platform::Date date);

// `date` with `offset` units of `type` added in the Gregorian calendar of
// `timeZone`. Days, weekdays, weeks (nthWeekday and week add whole weeks),
// months and years are calendar steps: the wall-clock time of day in the zone
// is kept across a change of the clocks, and a month or year step ends on the
// target month's last day where the day does not exist there (31 January + 1
// month is 29 February 2024). Seconds, minutes and hours are elapsed time. A sum
// beyond the calendar's range gives `date` back unchanged.
platform::Date adjust(platform::Date date, DateComponentType type, int offset,
                      const platform::TimeZone& timeZone = platform::TimeZone::current());

} // namespace datehelper
