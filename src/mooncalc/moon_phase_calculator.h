#pragma once
// The phase and the half of the cycle, from the mean-motion age of a
// MoonAgeCalculatorInterface (shared with whoever else holds it).

#include "mooncalc/calculator_interfaces.h"

#include <memory>

namespace mooncalc {

// Eight equal spans of 3.69132 days from -1.84566: new moon below 1.84566 days
// (and again from 27.68493), waxing crescent below 5.53699, first quarter below
// 9.22831, waxing gibbous below 12.91963, full moon below 16.61096, waning
// gibbous below 20.30228, last quarter below 23.99361, waning crescent below
// 27.68493. An age that is not a number is a new moon.
class MoonPhaseCalculator final : public MoonPhaseCalculatorInterface {
public:
    explicit MoonPhaseCalculator(std::shared_ptr<const MoonAgeCalculatorInterface> moonAgeCalculator)
        : moonAgeCalculator_(std::move(moonAgeCalculator)) {}
    MoonPhase getMoonPhase(platform::Date date) const override;

private:
    std::shared_ptr<const MoonAgeCalculatorInterface> moonAgeCalculator_;
};

// Descending from the start of full moon (12.91963 days) to the start of the
// next new moon (27.68493), ascending otherwise.
class MoonTrajectoryCalculator final : public MoonTrajectoryCalculatorInterface {
public:
    explicit MoonTrajectoryCalculator(std::shared_ptr<const MoonAgeCalculatorInterface> moonAgeCalculator)
        : moonAgeCalculator_(std::move(moonAgeCalculator)) {}
    MoonTrajectory getMoonTrajectory(platform::Date date) const override;

private:
    std::shared_ptr<const MoonAgeCalculatorInterface> moonAgeCalculator_;
};

} // namespace mooncalc
