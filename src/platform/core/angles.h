#pragma once
// Angle units and their conversions, for every angle the core computes with.

#include <numbers>

namespace astronomy {

constexpr double radians(double degrees) noexcept { return degrees * (std::numbers::pi / 180.0); }
constexpr double degrees(double radians) noexcept { return radians * (180.0 / std::numbers::pi); }

} // namespace astronomy
