#pragma once
// Which festival is in progress on a day. Each festival's time runs from its
// first traditional day to the day before the next festival's, by a fixed table
// per hemisphere; days are local days in the user's current calendar.

#include "engine/festival.h"
#include "platform/core/date.h"

namespace engine {

// The festival in progress today at the observer's latitude (southern table for
// a latitude below 0, above 90 or not a number).
Festival currentFestival(double latitude);
// The same with the present moment given, for callers that keep their own clock.
Festival currentFestival(double latitude, platform::Date now);

// The festival in progress on the date's day by the northern table, whatever
// the observer's latitude.
Festival getFestivalForDate(platform::Date date);

} // namespace engine
