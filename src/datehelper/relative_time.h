#pragma once
// An instant described relative to the present: "Только что", "5 минут назад",
// "вчера", "в течении 3 дней", and from about a week away the plain date.

#include "datehelper/relative_time_string_type.h"
#include "platform/core/date.h"

#include <optional>
#include <string>

namespace datehelper {

// The phrase for `date` seen from `now` (the present moment when not given).
// d = now - date in seconds; the date is past when d > 0, so an instant equal
// to now counts as future. With s = |d|, minutes = round(s / 60), hours =
// round(minutes / 60), days = round(hours / 24), each rounded (halves away from
// zero) from the value before it, the first tier that applies gives the key:
//   s < 10            nowPast / nowFuture, no count
//   s < 60            secondsPast / secondsFuture, count s
//   minutes < 60      oneMinute... when minutes is 1, else minutes...; count minutes
//   hours < 24        oneHour... when hours is 1, else hours...; count hours
//   days < 7          oneDay... when days is 1, else days...; count days
//   otherwise         the date as "dd.MM.yyyy" in the user's zone; no phrase.
// The text of a key is the caller's phrase where `strings` holds one, else the
// translation of the key's Russian default (the default itself when there is
// none). In it "%.f" becomes the count rounded to a whole number (an exact
// half to the even one) and "%%" a single "%"; any other "%" stays as written.
// A date that is not a number has no tier and gives the (empty) date text.
std::string toStringWithRelativeTime(platform::Date date, const std::optional<RelativeTimeStrings>& strings);
std::string toStringWithRelativeTime(platform::Date date, const std::optional<RelativeTimeStrings>& strings,
                                     platform::Date now);

// The Russian default text of a key; empty for the twelve keys (oneWeekPast
// onwards) that have none.
std::string_view defaultRelativeTimeString(RelativeTimeStringType key);

} // namespace datehelper
