#pragma once
// The fixed English texts about each sign of the zodiac, shown for the Sun's
// sign. Views are of static storage; a value outside the twelve signs gives
// empty texts.

#include "ephemeris/zodiac.h"

#include <string>
#include <string_view>

namespace engine {

// Name, a blank and the sign's symbol in text presentation ("Leo ♌︎").
std::string_view getStarSignString(ephemeris::Zodiac s);

// The tail that follows the name in one sentence: ", the fifth sign of the
// zodiac. Latin, meaning Lion."
std::string getStarSignLatinString(ephemeris::Zodiac s);

// One paragraph opening with the sign's element in lower case ("fire sign.").
std::string_view getStarSignAstrologyString(ephemeris::Zodiac s);

// One line of four traits ("Eager, dynamic, quick and competitive.").
std::string_view getStarSignPersonalityTraitsString(ephemeris::Zodiac s);

// One paragraph on the constellation, opening with where in the sky it lies.
std::string_view getStarSignAstronomyString(ephemeris::Zodiac s);

// The system symbol image of the sign's element: "flame" (fire),
// "globe.americas" (earth), "wind" (air) or "drop" (water).
std::string_view getStarSignElement(ephemeris::Zodiac s);

} // namespace engine
