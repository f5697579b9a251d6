#pragma once
// Weekday, month and year names, and four fixed date and time patterns (UTS #35
// syntax) with the texts they give in the user's locale and time zone.

#include "platform/core/date.h"

#include <string>
#include <string_view>

namespace engine {

inline constexpr std::string_view dfDateLong = "d MMM yyyy";     // 6 Dec 2026
inline constexpr std::string_view dfDateShort = "dd/MM/yy";      // 06/12/26
inline constexpr std::string_view dfTimeLong = "h:mm:ssa";       // 3:07:09PM
inline constexpr std::string_view dfTimeShort = "h:mma";         // 3:07PM

// English weekday name of the date, in full ("Sunday") or three letters ("Sun").
std::string_view dayofTheWeek(platform::Date date);
std::string_view dayofTheWeekShort(platform::Date date);

// Names by number; when `shortName` is set, only the first three letters.
// Any weekday number outside 1 to 6 is "Saturday"; any month outside 1 to 11 is
// "December".
std::string_view dayofWeekName(int weekday, bool shortName);
std::string_view monthName(int month, bool shortName);

// The year in the current locale: two digits ("yy") or at least four ("yyyy").
std::string yearStr(int year, bool shortYear);

std::string shortDate(platform::Date date);   // dfDateShort
std::string longDate(platform::Date date);    // dfDateLong
std::string shortTime(platform::Date date);   // dfTimeShort
std::string longTime(platform::Date date);    // dfTimeLong

} // namespace engine
