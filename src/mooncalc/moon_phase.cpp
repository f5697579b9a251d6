#include "mooncalc/moon_phase.h"

#include "mooncalc/internal/case_names.h"

namespace mooncalc {
namespace {

constexpr std::array<std::string_view, 8> phaseNames = {
    "newMoon", "waxingCrescent", "firstQuarter", "waxingGibbous",
    "fullMoon", "waningGibbous", "lastQuarter", "waningCrescent",
};

} // namespace

std::string_view rawValue(MoonPhase phase) noexcept { return detail::nameOfCase(phaseNames, phase); }

std::optional<MoonPhase> moonPhaseFromRawValue(std::string_view text) noexcept {
    return detail::caseNamed<MoonPhase>(phaseNames, text);
}

} // namespace mooncalc
