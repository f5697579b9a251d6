#pragma once
// How a year and a date read to the user where the era matters. A year or a
// date of an era other than the present one carries that era's name, placed
// and worded as the user's locale writes it: "44 BC" and "Wednesday, 15 March
// 44 BC" in British English; in Russian "44 г. до н. э." and
// "среда, 15 марта 44 г. до н. э.". A year of the present era carries none
// ("2026"), and a date of it is the locale's full date style as it stands.
//
// The calendar picker's year and the main window's date read alike: the year
// is the part of the date that holds its era and year, as the date writes it.
// Where a locale's date puts other fields between the two (Turkish writes
// "MÖ 15 Mart 44 Çarşamba"), the year is written as that locale writes a year
// with its era alone ("MÖ 44").

#include "platform/core/date.h"

#include <string>

namespace engine {

// The year `astronomicalYear` (1 BC is 0, 2 BC is -1) as the user reads it;
// empty beyond the calendar's range.
std::string yearText(int astronomicalYear);

// `date` in the locale's full style, weekday to year, in the current zone.
std::string fullDateText(platform::Date date);

} // namespace engine
