#pragma once
// Date and time texts for display, in the user's current locale and time zone,
// and the operations that put one date's time of day on another date's day.
// An absent date is written "Unknown".

#include "platform/core/date.h"

#include <optional>
#include <string>

namespace engine {

std::string dateJustDayMonthStr(std::optional<platform::Date> date);   // "21 Dec"
std::string dateStr(std::optional<platform::Date> date);               // "Mon 21 Dec 2026"
std::string timeStr(std::optional<platform::Date> date);               // "15:03:27"
std::string timeNoSecStr(std::optional<platform::Date> date);          // "15:03"
std::string dtNoSecsStr(std::optional<platform::Date> date);           // "Mon 21 Dec 2026 at 15:03"
std::string dateNoTimeStr(platform::Date date);                        // "Mon 21 Dec 2026"
// The time in the locale's long style: hours, minutes, seconds and the zone's name.
std::string timeNoDateStr(platform::Date date);

// Each of these keeps the first date's local calendar day and takes its time of
// day from elsewhere, in whole seconds. Where the calendar cannot build the
// result the first date comes back unchanged.
platform::Date setTimeToNow(platform::Date date);                                   // the present time of day
platform::Date setTimeToNow(platform::Date date, platform::Date now);               // the time of day of `now`
platform::Date useTimeFromDate(platform::Date day, platform::Date time);            // time's hour, minute, second
platform::Date setTime(platform::Date date, int hour, int minute);                  // second 0
platform::Date useHourAndMinuteFromDate(platform::Date date, platform::Date time);  // time's hour and minute, second 0

// Today at the given local time, and a local date and time; both lenient
// (out-of-range values run on into the next unit).
platform::Date timeFrom(int hr, int min, int sec);
platform::Date dateFrom(int dy, int mth, int yr, int hr, int min, int sec);

// Whole days between the two dates' local days, never negative; a day of 23 or
// 25 hours at a change of the clocks still counts as one.
int daysBetween(platform::Date first, platform::Date second);

} // namespace engine
