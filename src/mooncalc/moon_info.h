#pragma once
// What the moon calculator answers for one instant and one observer.

#include "mooncalc/eclipse.h"
#include "mooncalc/moon_illumination.h"
#include "mooncalc/moon_phase.h"
#include "mooncalc/moon_zodiac_sign.h"
#include "mooncalc/observer_location.h"
#include "platform/core/date.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace mooncalc {

// One lunar day: from one moonrise to the next (in one case from a moonset).
// begin < finish whenever both are present.
struct MoonModel {
    std::int64_t age = 0;   // the lunar-day number, 1 to 30 (0 for the run's start in one case)
    MoonZodiacSign sign = MoonZodiacSign::aries;
    // Absent when its moonrise (or moonset) lies beyond the days the facade
    // searches (moon_calculator.h), or the search for it failed.
    std::optional<platform::Date> begin;
    std::optional<platform::Date> finish;
};

struct MoonInfo {
    platform::Date date;
    ObserverLocation location;
    MoonTrajectory trajectory = MoonTrajectory::ascendent;
    MoonPhase phase = MoonPhase::newMoon;
    // The lunar days around the instant's UTC day, in order: none to three
    // (moon_calculator.h says which). They need not all touch it: on a UTC
    // day without a moonrise the second begins at a later day's.
    std::vector<MoonModel> moonModels;
    Eclipse nextLunarEclipse;
    Eclipse previousLunarEclipse;
    // Absent when the position calculator refuses the instant or the observer.
    std::optional<Illumination> illumination;
};

} // namespace mooncalc
