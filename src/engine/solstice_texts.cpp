#include "engine/solstices.h"

namespace engine {

namespace {

// Three paragraphs separated by a blank line, with no line break at the end.
constexpr std::string_view solsticeInfo =
    "Solstice occurs twice a year, as the 'summer solstice' and 'winter solstice'. The summer solstice is the day with the longest spell of daylight of the year, and the winter solstice the day with the shortest, the longest night.\n\n"
    "At the June solstice the area inside the Arctic Circle has polar day, with the Sun above the horizon all twenty-four hours, while inside the Antarctic Circle it is polar night. At the December solstice it is the other way around, with polar night in the Arctic.\n\n"
    "At the June solstice the Northern Hemisphere is tilted most towards the Sun, so that the Sun reaches its greatest noon height and stands overhead on the Tropic of Cancer. At the December solstice the Northern Hemisphere is tilted most away from the Sun: the noon Sun is at its lowest in the northern sky and overhead on the Tropic of Capricorn. The Latin solstitium means 'sun stands still'.";

constexpr std::string_view equinoxInfo =
    "An equinox is an event in which a planet’s subsolar point passes through its Equator. At the equinoxes, in March and September, the Sun rises due east and sets due west, and day and night are of about equal length all over the Earth. The word comes from the Latin aequinoctium, from aequus, 'equal', and nox, 'night': the equal night.";

} // namespace

std::string_view strSolsticeInfo() { return solsticeInfo; }
std::string_view strEquinoxInfo() { return equinoxInfo; }

} // namespace engine
