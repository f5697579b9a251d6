#pragma once
// The fallback observer position: London, used when the user has neither a
// location fix nor coordinates of their own. Degrees, north and east positive.

namespace engine {

inline constexpr double LondonLat = 51.509865;
inline constexpr double LondonLon = -0.118092;   // west of Greenwich

} // namespace engine
