#pragma once
// The range of the observer's coordinates: latitude -90 to 90 and longitude
// -180 to 180 degrees, finite. A latitude of 95 would put the observer in the
// other hemisphere and move every festival by six months.

#include <cmath>

namespace app {

enum class CoordinateAxis { latitude, longitude };

constexpr double coordinateLimit(CoordinateAxis axis) noexcept { return axis == CoordinateAxis::latitude ? 90.0 : 180.0; }

inline bool isValidCoordinate(double degrees, CoordinateAxis axis) noexcept {
    return std::isfinite(degrees) && std::fabs(degrees) <= coordinateLimit(axis);
}

} // namespace app
