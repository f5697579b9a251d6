#pragma once
// Easter Sunday of a year, and its two neighbours. From 1583 on by the
// Gregorian computus; before it by the Julian computus that the Church used
// until the reform, on the Julian calendar that the user's calendar keeps
// before 15 October 1582, so that Easter is a Sunday in every year (year 0 is
// 1 BC, and the Julian rule runs on before it).
//
// Easter Sunday is the start of its day in the user's current time zone (local
// midnight, or the first moment where the clocks skip midnight), so that every
// display and notification puts it on Sunday wherever the user lives. Good
// Friday and Easter Monday are calendar-day steps from it, at the same local
// clock time. A year the calendar cannot represent gives the present moment.

#include "platform/core/date.h"

namespace engine {

platform::Date calculateEaster(int year);
platform::Date calculateGoodFriday(int year);     // two days before Easter Sunday
platform::Date calculateEasterMonday(int year);   // one day after

} // namespace engine
