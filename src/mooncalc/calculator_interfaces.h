#pragma once
// What the moon calculator's facade asks of its calculators. The facade holds
// each through one of these interfaces, so that another implementation can
// stand in for it.

#include "mooncalc/moon_phase.h"
#include "mooncalc/moon_zodiac_sign.h"
#include "mooncalc/sun_moon_calculator.h"
#include "platform/core/date.h"
#include "platform/core/expected.h"

#include <cstdint>
#include <variant>
#include <vector>

namespace mooncalc {

// The Moon's age in days since new moon from its mean motion, and the numbers
// (1 to 30) of the lunar days that touch the instant's UTC day.
class MoonAgeCalculatorInterface {
public:
    virtual ~MoonAgeCalculatorInterface() = default;
    virtual double getMoonAge(platform::Date date) const = 0;
    virtual std::vector<std::int64_t> getMoonAges(platform::Date date) const = 0;
};

// Why a moonrise or moonset has no instant: the Moon does not rise (or set)
// near the instant, or the refinement did not settle to a second, or the
// calendar could not form the event's date.
enum class RiseSetErrorReason : std::uint8_t { unableToFormDateFromComponents };
using RiseSetError = std::variant<RiseSetErrorReason, InvalidJulianDay>;
using RiseSetResult = platform::Expected<platform::Date, RiseSetError>;

class MoonRiseSetCalculatorInterface {
public:
    virtual ~MoonRiseSetCalculatorInterface() = default;
    virtual RiseSetResult getMoonRise(platform::Date date) const = 0;
    virtual RiseSetResult getMoonSet(platform::Date date) const = 0;
};

class MoonPhaseCalculatorInterface {
public:
    virtual ~MoonPhaseCalculatorInterface() = default;
    virtual MoonPhase getMoonPhase(platform::Date date) const = 0;
};

class MoonTrajectoryCalculatorInterface {
public:
    virtual ~MoonTrajectoryCalculatorInterface() = default;
    virtual MoonTrajectory getMoonTrajectory(platform::Date date) const = 0;
};

class MoonZodiacSignCalculatorInterface {
public:
    virtual ~MoonZodiacSignCalculatorInterface() = default;
    virtual MoonZodiacSign getMoonZodiacSign(platform::Date date) const = 0;
};

} // namespace mooncalc
