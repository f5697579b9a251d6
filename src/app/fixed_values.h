#pragma once
// Fixed values of the program: its name and its maker's, the fallback observer
// position (London, kept with the festival engine that also reads it) and
// whether the program can change its own icon.

#include "engine/fixed_positions.h"

#include <string_view>

namespace app {

inline constexpr std::string_view appName = "Vadididod";
inline constexpr std::string_view companyName = "Tarnwick";

using engine::londonLat;
using engine::londonLon;

inline constexpr bool supportsAppIconChange = false;

} // namespace app
