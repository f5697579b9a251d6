#pragma once
// Calendar questions about an instant, answered in the user's current calendar
// and time zone, read afresh at every call: its fields, the local midnight of
// its day, the day before and after, the same moment in another year, month
// lengths and leap years.
//
// Months run 1 to 12; weekdays 1 (Sunday) to 7 (Saturday) whatever the locale's
// first day of the week. Dates built from fields are lenient: a value beyond its
// range runs on into the next unit (day 29 of February in a common year is 1 March).

#include "platform/core/calendar_component.h"
#include "platform/core/date.h"

#include <cstdint>

namespace engine {

// One field each; 0 for an instant the calendar cannot place.
int getYear(platform::Date date);
int getMonth(platform::Date date);
int getDay(platform::Date date);
int getDOW(platform::Date date);   // 1 = Sunday ... 7 = Saturday
int getHour(platform::Date date);
int getMin(platform::Date date);
int getSec(platform::Date date);

// Weekday of the present moment, 1 (Sunday) to 7.
int dayOfWeek();

// Local midnight at the start of the date's day. Where a clock change skips
// midnight it is the first moment the day has. A date whose day the calendar
// cannot rebuild (far outside its range) comes back unchanged.
platform::Date zeroTime(platform::Date date);

// One calendar day earlier or later, at the same local time of day, also across
// a change of the clocks.
platform::Date yesterday(platform::Date date);
platform::Date tomorrow(platform::Date date);

// The same month, day and time of day in `year` (29 February becomes 1 March in
// a common year). An unrepresentable year leaves the date unchanged.
platform::Date setYear(platform::Date date, int year);

// The local date year-month-day at hour:minute, seconds zero. The third number,
// in the place of the seconds, plays no part; it is kept so that the six-number
// form stays recognisable.
platform::Date getDateFor(int hour, int minute, int unusedSecond, int year, int month, int day);

// A random local date from 1970 to 2040 (see the .cpp for the exact spread).
platform::Date randomDate();

platform::Date timeIntervalSince1970toDate(double seconds);

// Whether the two instants fall on the same local calendar day (era included);
// false when the calendar cannot place either.
bool sameDate(platform::Date first, platform::Date second);

// Whole calendar units of `ofComponent` from `fromDate` to `end` (negative when
// `fromDate` is later): counts of unit boundaries crossed, not of elapsed time,
// also for hours, minutes and seconds. Counted in 64 bits, so seconds across the
// calendar's whole range fit. 0 when the calendar cannot place either date in
// its era.
std::int64_t interval(platform::Date end, platform::CalendarComponent ofComponent, platform::Date fromDate);

// Days of the month (13 runs on into January of the next year); -1 when the
// calendar cannot answer.
int daysInMonth(int month, int year);

// Gregorian rule, whatever the calendar.
bool isLeapYear(int year);
bool isLeapYear(platform::Date date = platform::Date::now());

} // namespace engine
