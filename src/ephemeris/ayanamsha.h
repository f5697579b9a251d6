#pragma once
// The ayanamsha: the distance of the vernal point from the start of the sidereal
// zodiac. Nothing chooses a sidereal mode, so it is the library's default,
// Fagan/Bradley, taken as its mean value (without nutation), which is what
// sidereal longitudes here subtract from apparent tropical ones.

#include "ephemeris/expected.h"
#include "platform/core/date.h"

namespace ephemeris {

class Ayanamsha {
public:
    // Degrees at `date`. The library defines its argument on the ephemeris time
    // scale and receives the universal-time Julian day of `date` unchanged; the
    // difference is far below a thousandth of an arc second.
    Expected<double> operator()(platform::Date date) const;

    // The ayanamsha at the moment of the first read, kept for the process's life.
    static const Expected<double>& current();
};

} // namespace ephemeris
