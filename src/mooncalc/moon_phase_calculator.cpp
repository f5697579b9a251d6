#include "mooncalc/moon_phase_calculator.h"

#include <array>
#include <utility>

namespace mooncalc {
namespace {

constexpr double fullMoonStart = 12.91963;
constexpr double newMoonStart = 27.68493;

constexpr std::array<std::pair<double, MoonPhase>, 8> phaseEnds = {{
    {1.84566, MoonPhase::newMoon},
    {5.53699, MoonPhase::waxingCrescent},
    {9.22831, MoonPhase::firstQuarter},
    {fullMoonStart, MoonPhase::waxingGibbous},
    {16.61096, MoonPhase::fullMoon},
    {20.30228, MoonPhase::waningGibbous},
    {23.99361, MoonPhase::lastQuarter},
    {newMoonStart, MoonPhase::waningCrescent},
}};

} // namespace

MoonPhase MoonPhaseCalculator::getMoonPhase(platform::Date date) const {
    const double age = moonAgeCalculator_->getMoonAge(date);
    for (const auto& [end, phase] : phaseEnds)
        if (age < end) return phase;
    return MoonPhase::newMoon;
}

MoonTrajectory MoonTrajectoryCalculator::getMoonTrajectory(platform::Date date) const {
    const double age = moonAgeCalculator_->getMoonAge(date);
    return age >= fullMoonStart && age < newMoonStart ? MoonTrajectory::descendent : MoonTrajectory::ascendent;
}

} // namespace mooncalc
