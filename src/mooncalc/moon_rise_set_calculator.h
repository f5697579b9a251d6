#pragma once
// Moonrise and moonset near an instant, for one observer, from the Sun and Moon
// position calculator. The event found is the next one after the instant or,
// when nearer and on the same UTC day (from 0h UT), the last one before it,
// refined to a second; the instant comes back with whole seconds (UTC).
// Against the Swiss Ephemeris (the Moon's upper limb at the horizon, with its
// refraction) it lies within 3 minutes, or within the time the Moon's
// altitude takes to change by 0.08 degrees where that is longer (the two
// place the horizon that far apart); where the Moon only grazes the horizon,
// one of the two may see a rise or set that the other does not. Which event
// is promised can then differ between them where the one before and the one
// after lie equally far from the instant within those limits, or where one
// lies that near the instant's midnight.
//
// The refinement starts from the hour angle at which the Moon rises for its
// declination at the instant, which decides between the event before and the
// one after the instant before either is refined. The refined one stands
// where no other can be nearer nor lie between (within 9 hours of the
// instant, 11.5 hours below 52.4 degrees of latitude, as two of a kind come
// at least twice that far apart); otherwise the event on the other side is
// refined too and the nearer of the two taken. When the refinement settles
// on no event or cannot tell, and wherever the Moon may come near grazing the
// horizon within the day (beyond 52.4 degrees of latitude, when its
// declination takes it near staying up or down all day), the Moon's altitude
// stepped from the instant's 0h UT to a day after it decides instead: a Moon
// that is up (or down) at the instant and rises (or sets) later that day is
// found, and a rise is always the Moon coming up through its rise altitude.
// A refined event more than a day after the instant stands when the altitude
// finds none before it.
//
// Failures: InvalidJulianDay when the calculator refuses the instant (the days
// before the calendar reform in 1582, an instant that is not finite, a latitude
// beyond a pole, a longitude that is not finite); unableToFormDateFromComponents
// when the Moon does not rise (or set) from the instant's 0h UT to a day after
// it, nor the refinement find one later, or the calendar cannot form the date.

#include "mooncalc/calculator_interfaces.h"
#include "mooncalc/observer_location.h"

#include <cstdint>
#include <optional>

namespace mooncalc {

class MoonRiseSetCalculator final : public MoonRiseSetCalculatorInterface {
public:
    explicit MoonRiseSetCalculator(ObserverLocation location) : location_(location) {}

    RiseSetResult getMoonRise(platform::Date date) const override;
    RiseSetResult getMoonSet(platform::Date date) const override;

    // The instant of UTC calendar fields as the calculator's getDate gives them
    // (year, month, day, hour, minute, second: astronomical years, the Julian
    // calendar before 15 October 1582). Fields beyond their range run on into
    // the next unit; absent beyond the calendar's range.
    static std::optional<platform::Date> getDateFromComponents(const std::array<std::int64_t, 6>& fields) noexcept;

private:
    RiseSetResult getMoonRiseOrSet(platform::Date date, bool isRise) const;
    ObserverLocation location_;
};

} // namespace mooncalc
