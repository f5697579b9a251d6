#pragma once
// Easter Sunday of a year by the Gregorian computus, and its two neighbours.
//
// Easter Sunday is local midnight of its day in the user's current time zone,
// so that every display and notification puts it on Sunday wherever the user
// lives. Good Friday and Easter Monday are calendar-day steps from it, at the
// same local clock time. A year the calendar cannot represent gives the present
// moment.

#include "platform/core/date.h"

namespace engine {

platform::Date calculateEaster(int year);
platform::Date calculateGoodFriday(int year);     // two days before Easter Sunday
platform::Date calculateEasterMonday(int year);   // one day after

} // namespace engine
