#pragma once
// Tests of a date against another date or against the present.

#include "datehelper/date_comparison_type.h"
#include "platform/core/date.h"
#include "platform/core/time_zone.h"

namespace datehelper {

// The platform's three-way order of two dates.
enum class ComparisonResult : int { orderedAscending = -1, orderedSame = 0, orderedDescending = 1 };

// The date's month against the present month, in the Gregorian calendar of
// `timeZone`: ascending for an earlier month, same for this month of this year,
// descending for a later one.
ComparisonResult isSameMonth(platform::Date date, const platform::TimeZone& timeZone);
ComparisonResult isSameMonth(platform::Date date, const platform::TimeZone& timeZone, platform::Date now);

// Whether `date` falls on the same calendar day as `other` in `timeZone`, on an
// earlier day, on a later day. Instants the calendar cannot place are on no day:
// all three are false.
bool isSameDate(platform::Date date, platform::Date other, const platform::TimeZone& timeZone);
bool isBeforeDate(platform::Date date, platform::Date other, const platform::TimeZone& timeZone);
bool isAfterDate(platform::Date date, platform::Date other, const platform::TimeZone& timeZone);

// Whether `date` passes `type`. Years, months, days, weeks and weekdays are
// read in the Gregorian calendar of the device's zone, and "this", "next" and
// "last" day, week, month or year are taken from now in that zone; `timeZone`
// plays no part (the weekend is Saturday and Sunday wherever the date is read).
//   isSameDay, isSameMonth, isSameYear  equal (year, month, day) fields, and so on;
//                years of either era told apart (1 BC is not 1 AD)
//   isSameWeek   the same Sunday-to-Saturday week, also across 31 December
//                (and the short year 1582) and a change of the clocks
//   isEarlier, isLater  not later (not earlier) than the other date: an equal
//                instant passes both
//   isInTheFuture, isInThePast  isLater(now), isEarlier(now)
// Every test but these last four reads calendar fields, and is false when the
// calendar cannot place `date`, the other date or now (NaN, infinite, or
// beyond its range): such instants are on no day, in no week, month or year,
// and neither weekday nor weekend. The last four order the instants
// themselves: infinities in their place, NaN passing none.
// The overload with `now` reads no clock; the other reads it once.
bool compare(platform::Date date, const DateComparisonType& type, const platform::TimeZone& timeZone);
bool compare(platform::Date date, const DateComparisonType& type, const platform::TimeZone& timeZone,
             platform::Date now);

} // namespace datehelper
