#pragma once
// The Moon's sign of the zodiac from its mean motion: the calendar date of the
// instant in the user's current calendar and zone gives an approximate
// ecliptic longitude (the sidereal month with the largest terms of the
// equation of the centre, the evection and the variation), which falls in a
// sign by this table of uneven bounds, in degrees:
// aries below 33.18, taurus below 51.16, gemini below 93.44, cancer below
// 119.48, leo below 135.3, virgo below 173.34, libra below 224.17, scorpio
// below 242.57, sagittarius below 271.26, capricorn below 302.49, aquarius
// below 311.72, pisces below 348.58, and aries again from there. The longitude
// is not wrapped (about -8.3 to 368.3); a negative one is aries, and so is an
// instant the calendar cannot place.

#include "mooncalc/calculator_interfaces.h"

namespace mooncalc {

class MoonZodiacSignCalculator final : public MoonZodiacSignCalculatorInterface {
public:
    MoonZodiacSign getMoonZodiacSign(platform::Date date) const override;

    // The longitude behind the sign, in degrees; NaN for an instant the
    // calendar cannot place.
    static double approximateLongitude(platform::Date date);
    // The table above.
    static MoonZodiacSign signOfLongitude(double longitude) noexcept;
};

} // namespace mooncalc
