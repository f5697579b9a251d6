#include "mooncalc/moon_age_calculator.h"
#include "mooncalc/moon_phase_calculator.h"
#include "mooncalc_test_support.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace mooncalc {
namespace {

struct Bound {
    double age;
    MoonPhase phase;
    MoonTrajectory trajectory;
};

MoonPhase phaseAt(double age) {
    return MoonPhaseCalculator(std::make_shared<mooncalc_test::FixedAgeCalculator>(age, std::vector<std::int64_t>{}))
        .getMoonPhase(platform::Date());
}

MoonTrajectory trajectoryAt(double age) {
    return MoonTrajectoryCalculator(
               std::make_shared<mooncalc_test::FixedAgeCalculator>(age, std::vector<std::int64_t>{}))
        .getMoonTrajectory(platform::Date());
}

TEST(MoonPhaseAndTrajectory, EachBoundBelongsToTheLaterPhase) {
    using P = MoonPhase;
    using T = MoonTrajectory;
    const Bound bounds[] = {
        {0.0, P::newMoon, T::ascendent},           {1.84565, P::newMoon, T::ascendent},
        {1.84566, P::waxingCrescent, T::ascendent}, {5.53699, P::firstQuarter, T::ascendent},
        {9.22831, P::waxingGibbous, T::ascendent},  {12.91962, P::waxingGibbous, T::ascendent},
        {12.91963, P::fullMoon, T::descendent},     {16.61096, P::waningGibbous, T::descendent},
        {20.30228, P::lastQuarter, T::descendent},  {23.99361, P::waningCrescent, T::descendent},
        {27.68492, P::waningCrescent, T::descendent}, {27.68493, P::newMoon, T::ascendent},
        {29.52, P::newMoon, T::ascendent},
    };
    for (const Bound& b : bounds) {
        EXPECT_EQ(phaseAt(b.age), b.phase) << b.age;
        EXPECT_EQ(trajectoryAt(b.age), b.trajectory) << b.age;
    }
    EXPECT_EQ(phaseAt(std::numeric_limits<double>::quiet_NaN()), P::newMoon);
    EXPECT_EQ(trajectoryAt(std::numeric_limits<double>::quiet_NaN()), T::ascendent);
}

// Runs in every test zone: 1 January 2000 (age 24.43) in the device's zone.
TEST(MoonPhaseAndTrajectory, TheFirstOfJanuary2000IsWaningAndDescending) {
    const auto ages = std::make_shared<MoonAgeCalculator>();
    const MoonPhaseCalculator phases(ages);
    const MoonTrajectoryCalculator trajectories(ages);
    for (const platform::Date date : {mooncalc_test::local(2000, 1, 1), mooncalc_test::local(2000, 1, 1, 23, 59)}) {
        EXPECT_EQ(phases.getMoonPhase(date), MoonPhase::waningCrescent);
        EXPECT_EQ(trajectories.getMoonTrajectory(date), MoonTrajectory::descendent);
    }
}

} // namespace
} // namespace mooncalc
