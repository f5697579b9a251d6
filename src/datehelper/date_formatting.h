#pragma once
// Dates written as text. Writing always gives a text: an empty one for an
// instant beyond the calendar's range.

#include "datehelper/date_format_type.h"
#include "datehelper/date_style_type.h"
#include "datehelper/time_zone_type.h"
#include "platform/core/date.h"
#include "platform/core/date_formatter.h"
#include "platform/core/locale.h"
#include "platform/core/time_zone.h"

#include <string>

namespace datehelper {

// The toolkit's locale where none is given: Russian (ru_RU).
const platform::Locale& defaultLocale();

// The date in `format`, through the toolkit's shared formatters. dotNet is
// written "/Date(ms±hhmm)/" (see internal/dot_net_date.h), whatever the zone
// and locale; it reads back to the same instant, to the millisecond.
std::string toString(platform::Date date, const DateFormatType& format,
                     const TimeZoneType& timeZone = TimeZoneType::local(),
                     const platform::Locale& locale = defaultLocale());

// The date in the platform's date and time styles; with `isRelative`, the
// locale's words for today, tomorrow and the like stand for the date where
// they apply.
std::string toString(platform::Date date, platform::DateFormatStyle dateStyle, platform::DateFormatStyle timeStyle,
                     bool isRelative, const platform::TimeZone& timeZone = platform::TimeZone::current(),
                     const platform::Locale& locale = defaultLocale());

// The date in a display style, in the device's zone:
//   shortStyle, medium, longStyle, full: the same date and time style, not
//     relative, in Russian;
//   ordinalDay: the day of the month as an ordinal number in the user's own
//     locale ("15th" in English);
//   weekday, shortWeekday, veryShortWeekday, month, shortMonth, veryShortMonth:
//     the Russian name in the form used inside a date ("пятница", "пт", "П";
//     "марта", "мар.", "М"), whatever the user's locale. An instant the
//     calendar cannot place has no name: empty.
std::string toString(platform::Date date, DateStyleType style);

} // namespace datehelper
