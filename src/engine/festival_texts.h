#pragma once
// The fixed texts of a festival. Each view is of static storage and lives as
// long as the program.

#include "engine/festival.h"

#include <string_view>

namespace engine {

// The festival's other name, the same in both hemispheres ("Winter Solstice").
std::string_view celebrationStr(Festival festival);

// "Quarter Day" for the solstices and equinoxes, "Cross Quarter Day" between them.
std::string_view dayType(Festival festival);

// The festival's long description: paragraphs separated by an empty line, most
// with a list of customs ("• " lines), ending with "Major loremark." (cross
// quarter days) or "Minor loremark." (quarter days) on a line of its own.
std::string_view info(Festival festival);

} // namespace engine
