#pragma once
// The eight phases of the Moon, in the order of the cycle, and the Moon's half
// of the cycle: ascending from new moon towards full, descending after it.

#include <cstdint>
#include <optional>
#include <string_view>

namespace mooncalc {

enum class MoonPhase : std::uint8_t {
    newMoon = 0,
    waxingCrescent = 1,
    firstQuarter = 2,
    waxingGibbous = 3,
    fullMoon = 4,
    waningGibbous = 5,
    lastQuarter = 6,
    waningCrescent = 7,
};

// The case name ("newMoon", "waxingCrescent", ...), and back: only that exact
// text, case-sensitive, names a phase.
std::string_view rawValue(MoonPhase phase) noexcept;
std::optional<MoonPhase> moonPhaseFromRawValue(std::string_view text) noexcept;

enum class MoonTrajectory : std::uint8_t {
    ascendent = 0,
    descendent = 1,
};

} // namespace mooncalc
