#pragma once
// The calculator's own calendar helpers for instants: the boundaries of a day,
// a month and a year, milliseconds since 1970, steps of a day or a year, short
// texts, a run of consecutive days, and whole calendar units between two
// instants. They work in the user's current calendar and time zone, read afresh
// at each call (Gregorian, Julian before 15 October 1582); the steps of a year
// and of a day go through the date helper toolkit's `adjust` in the current
// zone. Texts are formatted in the user's locale and zone.
//
// Instants the calendar cannot place (not finite, or beyond its range of some
// 950,000 years either side of 1970) give absent results where a result is
// optional, and otherwise come back unchanged (texts come back empty).

#include "platform/core/date.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mooncalc {

// Local midnight that starts the date's day.
platform::Date startOfDate(platform::Date date);
// startOfDate plus 1 day and -1 second in one step: the last whole second of
// the day (23:59:59 local time on an ordinary day).
std::optional<platform::Date> endOfDate(platform::Date date);

// Seconds since 1970-01-01 00:00 UTC times 1000, rounded to the nearest whole
// number, halves away from zero. Absent when not finite or beyond 64 bits.
std::optional<std::int64_t> millisecondsSince1970(platform::Date date) noexcept;
// The instant (milliseconds / 1000) whole seconds after 1970: the division
// truncates toward zero, so 1999 gives 00:00:01 and -1999 gives 23:59:59 the
// day before.
platform::Date dateFromMilliseconds(std::int64_t milliseconds) noexcept;

// One calendar day later (same wall-clock time).
std::optional<platform::Date> addDay(platform::Date date);

// Local midnight of the month's first day, and of its last day (not the day's
// last second).
platform::Date startOfMonth(platform::Date date);
platform::Date endOfMonth(platform::Date date);

// "HH:mm" on the current calendar; the day of the month without a leading zero
// ("5"); the full stand-alone month name in the user's language ("March");
// the year with four digits at least ("2024").
std::string toHHmm(platform::Date date);
std::string dayText(platform::Date date);
std::string monthText(platform::Date date);
std::string yearText(platform::Date date);

// Local midnight of 1 January of the date's year, and of the next and the
// previous year.
std::optional<platform::Date> startOfYear(platform::Date date);
std::optional<platform::Date> startNextYear(platform::Date date);
std::optional<platform::Date> previousYearStart(platform::Date date);

// The same wall-clock time one day earlier or later, in the current zone.
platform::Date dayBefore(platform::Date date);
platform::Date dayAfter(platform::Date date);

// Local midnight of a calendar date; out-of-range months and days run on into
// the neighbouring units (month 13 is January of the next year). Absent only
// beyond the calendar's range.
std::optional<platform::Date> dateFrom(int year, int month, int day);

// The date, then each day after it at the same time of day, while no later
// than `till` (inclusive); empty when the date is later than `till`. As `till`
// comes from the caller, runs are bounded: a list holds at most
// `allDatesDayLimit` + 1 dates (400 years of days, about 1.2 MB), and a `till`
// that is not finite or lies beyond that gives no dates at all, not a
// shortened list.
inline constexpr std::size_t allDatesDayLimit = 146'097;
std::vector<platform::Date> allDates(platform::Date date, platform::Date till);

// Whole units from `from` to `date`, positive when `date` is the later one
// (59 minutes are 0 hours); 0 when the calendar gives none. `weeks` counts
// whole weeks; `offset` is `months`.
int years(platform::Date date, platform::Date from);
int months(platform::Date date, platform::Date from);
int weeks(platform::Date date, platform::Date from);
int days(platform::Date date, platform::Date from);
int hours(platform::Date date, platform::Date from);
int minutes(platform::Date date, platform::Date from);
int seconds(platform::Date date, platform::Date from);
int offset(platform::Date date, platform::Date from);

} // namespace mooncalc
