#pragma once
// Fixed values of the program: its name and its maker's, the fallback observer
// position (London, kept with the festival engine that also reads it) and
// whether the program can change its own icon. The program's constants are
// lower camel case; these four keep the names their callers have always used.

#include "engine/fixed_positions.h"

#include <string_view>

namespace app {

inline constexpr std::string_view AppName = "Vadididod";
inline constexpr std::string_view CompanyName = "Tarnwick";

using engine::LondonLat;
using engine::LondonLon;

inline constexpr bool supportsAppIconChange = false;

} // namespace app
