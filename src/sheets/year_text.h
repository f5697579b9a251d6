#pragma once
// How a year reads to the user, alike in the calendar picker and in the main
// window's date: its number within its era, followed by the era's name where
// that era is not the present one: "2026", "44 BC" (the year astronomers number
// -43). Both texts come from the user's locale, as the main window's full date
// does.

#include "platform/core/date.h"

#include <optional>
#include <string>

namespace sheets {

// The name of `date`'s era ("BC") where it is not the era of the present
// instant; none where it is, or where the calendar cannot place either.
std::optional<std::string> otherEraName(platform::Date date);

// The year `astronomicalYear` (1 BC is 0, 2 BC is -1) as the user reads it;
// empty beyond the calendar's range.
std::string yearText(int astronomicalYear);

} // namespace sheets
