#pragma once
// The moon calculator: for one observer, everything it knows about an instant
// in one answer. The phase and the half of the cycle, the lunar days around
// the instant's UTC day with their signs and the moonrises that bound them,
// the previous and the next lunar eclipse, and the Moon's illumination.
//
// It computes nothing itself: it asks its calculators, each held through its
// interface. The age and sign calculators are made with the facade; the phase,
// trajectory and rise-and-set calculators on first use, then kept (the phase
// and trajectory calculators share the facade's age calculator). Any of them
// can be replaced. getInfo reports no error: a failed rise or set leaves a
// lunar day's bound absent, a refused instant leaves the illumination absent.
//
// The lunar days run from one moonrise to the next. With one lunar-day number
// (always, on a device in UTC), the one that holds the instant: from the last
// moonrise at or before it to the first after it. With two, the first ends and
// the second begins at the first moonrise from the start of the UTC day (a
// later day's when the Moon does not rise that day); the first begins at the
// moonrise before that one, the second ends at the moonrise after it. With
// three, the second ends and the third begins at the first moonset after that
// rise, and the third ends at the first moonrise after that set. With no rise
// to go by (none from the day's start to the end of the reach below), the
// second ends and the third begins at the moonset the rise and set calculator
// finds from the day's last second (moon_rise_set_calculator.h): the first
// after the day, or the day's last where that is nearer; an earlier day's,
// however near the day's end, never. Where it finds none in the reach, as
// where the Moon stays down (or up) from before the day to after the reach
// (Casey, 66.3 degrees south, on 7 June 2043; Troll, 72 degrees south, on 25
// April 1990), that bound is absent. The UTC day is the instant's whatever
// the device's zone, which decides only the numbers.
// Moonrises and moonsets are searched from UTC midnights, where the search
// finds the first one from there on (a search that fails counts as a day
// without one), and moonrises a minute or less apart are one event found
// twice, so no lunar day lasts a second. Far north a lunar day can be shorter
// than a UTC day, which then holds two moonrises (or moonsets): where the next
// one found from a midnight comes more than 30 hours after the last, the day's
// last second is searched too, which finds the day's last. Below 85 degrees
// of latitude, where two of a kind are at least 18 hours apart, every one is
// found. The search reaches from the start of the third UTC day before the
// instant's to the end of the second after it: a bound whose moonrise (or
// moonset) lies beyond, where the Moon stays up or down for days, is absent,
// and so is one whose searches failed; an absent bound is never compared as
// an instant. A lunar day always ends after it begins: an end that would
// break this is left absent.
//
// One facade serves one thread at a time: the calculators built on first use
// are not guarded.

#include "mooncalc/calculator_interfaces.h"
#include "mooncalc/moon_info.h"
#include "mooncalc/observer_location.h"

#include <memory>
#include <vector>

namespace mooncalc {

class MoonCalculator {
public:
    explicit MoonCalculator(ObserverLocation location);
    // With other age and sign calculators in place of the facade's own.
    MoonCalculator(ObserverLocation location, std::shared_ptr<const MoonAgeCalculatorInterface> moonAgeCalculator,
                   std::shared_ptr<const MoonZodiacSignCalculatorInterface> moonZodiacSignCalculator);

    MoonInfo getInfo(platform::Date date);

    const ObserverLocation& location() const noexcept { return location_; }

    // Built on first read, then kept; a set calculator replaces it.
    const MoonRiseSetCalculatorInterface& moonRiseSetCalculator();
    const MoonPhaseCalculatorInterface& moonPhaseCalculator();
    const MoonTrajectoryCalculatorInterface& moonTrajectoryCalculator();
    void setMoonRiseSetCalculator(std::unique_ptr<const MoonRiseSetCalculatorInterface> calculator);
    void setMoonPhaseCalculator(std::unique_ptr<const MoonPhaseCalculatorInterface> calculator);
    void setMoonTrajectoryCalculator(std::unique_ptr<const MoonTrajectoryCalculatorInterface> calculator);

private:
    std::vector<MoonModel> getMoonModels(platform::Date date);

    ObserverLocation location_;
    std::shared_ptr<const MoonAgeCalculatorInterface> moonAgeCalculator_;
    std::shared_ptr<const MoonZodiacSignCalculatorInterface> moonZodiacSignCalculator_;
    std::unique_ptr<const MoonRiseSetCalculatorInterface> moonRiseSetCalculator_;
    std::unique_ptr<const MoonPhaseCalculatorInterface> moonPhaseCalculator_;
    std::unique_ptr<const MoonTrajectoryCalculatorInterface> moonTrajectoryCalculator_;
};

} // namespace mooncalc
