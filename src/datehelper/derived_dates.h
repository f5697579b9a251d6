#pragma once
// Dates derived from a date, counts of units between two dates, and the days
// at the ends of a date's week and month. Unless stated otherwise, everything
// is read and composed in the Gregorian calendar of the device's zone (see
// date_arithmetic.h), taken afresh at every call.

#include "datehelper/date_component_type.h"
#include "datehelper/date_for_type.h"
#include "platform/core/calendar.h"
#include "platform/core/date.h"
#include "platform/core/time_zone.h"

#include <cstdint>

namespace datehelper {

// The date of `type`:
//   nearestMinute(m)  the minute brought to the nearest multiple of m (a half
//                     step goes up; 60 runs on into the next hour); seconds stay,
//                     the fraction goes. m <= 0: `date` unchanged.
//   nearestHour(h)    the same with the hour, and minute 0; 24 runs on into the
//                     next day. h <= 0: `date` unchanged.
//   startOfDay        the first moment of the date's day (the first midnight
//                     where the clocks repeat it, the end of the gap where
//                     they skip it)
//   endOfDay          23:59:59 of the date's day
//   startOfWeek       the first moment of the week holding the date, by the
//                     first weekday and zone of `calendar` (the only case that
//                     reads it)
//   endOfWeek         the Saturday of the date's Sunday-first week, at the same
//                     clock time (a Saturday gives the date itself)
//   startOfMonth      the first moment of the 1st of the date's month
//   endOfMonth        the first moment of the last day of the date's month
//                     (its start, not its last second)
//   tomorrow, yesterday  the same clock time a calendar day later, earlier
platform::Date dateFor(platform::Date date, const DateForType& type, const platform::Calendar& calendar);

// Units of `component` from `date` to `receiver`, positive when `receiver` is
// later. Seconds, minutes and hours are elapsed time, truncated toward zero
// (-5,399 s is -1 hour). The other units count boundaries crossed in the user's
// current calendar (23:59 to 00:01 of the next day is a day, 31 January to 1
// February a month); weekdays and n-th weekdays count seven-day spans from the
// start of the era. Counts beyond the 64-bit range stop at its ends; dates the
// calendar cannot place count 0.
std::int64_t since(platform::Date receiver, platform::Date date, DateComponentType component);

// The days of the month holding `date` in the Gregorian calendar of `timeZone`
// (28 to 31); 0 for an instant the calendar cannot place.
int numberOfDaysInMonth(platform::Date date, const platform::TimeZone& timeZone);

// The day of the month of the Sunday that begins the date's week, and of the
// Sunday seven calendar days after it (which begins the next week). Calendar
// days, so a change of the clocks within the week moves neither.
int firstDayOfWeek(platform::Date date);
int lastDayOfWeek(platform::Date date);

} // namespace datehelper
