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
// month is 29 February 2024); a clock time that the clocks repeat is taken in
// its first occurrence, one that they skip moves on by the length of the gap.
// Seconds, minutes and hours are elapsed time. A sum beyond the calendar's
// range gives `date` back unchanged.
platform::Date adjust(platform::Date date, DateComponentType type, int offset,
                      const platform::TimeZone& timeZone = platform::TimeZone::current());

// `date` with the given fields replaced (std::nullopt keeps a field), read and
// composed in the Gregorian calendar of `timeZone`. Values beyond a field's
// range run on into the next field: minute 60 is the next hour, day 0 the last
// day of the month before, month 13 January of the next year; the year changes
// only so. The result has no fraction of a second. A clock time that the
// clocks repeat (the hour after they go back) is taken in the occurrence under
// the date's own offset where there is one, else in the first; one that they
// skip moves on by the length of the gap. Where the calendar cannot place the
// date or the result, `date` comes back unchanged.
platform::Date adjust(platform::Date date, std::optional<int> hour, std::optional<int> minute,
                      std::optional<int> second, std::optional<int> day, std::optional<int> month,
                      const platform::TimeZone& timeZone = platform::TimeZone::current());

// `date` moved later by the device zone's present offset from GMT (its offset
// now, not at `date`): for a date under today's offset, the UTC clock of the
// result reads as the device's clock reads `date`.
platform::Date dateByLocalZone(platform::Date date);

// The nine fields the toolkit reads: year, month, day, week of year, hour,
// minute, second, weekday and weekday ordinal. No era, no fraction of a second.
inline constexpr platform::ComponentSet componentFlags{
    platform::CalendarComponent::year,    platform::CalendarComponent::month,
    platform::CalendarComponent::day,     platform::CalendarComponent::weekOfYear,
    platform::CalendarComponent::hour,    platform::CalendarComponent::minute,
    platform::CalendarComponent::second,  platform::CalendarComponent::weekday,
    platform::CalendarComponent::weekdayOrdinal};

// Those fields of `date` in the Gregorian calendar of `timeZone`; none for an
// instant the calendar cannot place.
platform::DateComponents components(platform::Date date,
                                    const platform::TimeZone& timeZone = platform::TimeZone::current());

// One field of `date` in the Gregorian calendar of the device's zone (weekday
// 1 Sunday to 7 Saturday, week the week of the year); 0 for an instant the
// calendar cannot place.
int component(platform::Date date, DateComponentType type);

} // namespace datehelper
