#pragma once
// The previous or the next lunar or solar eclipse of an instant, by Meeus's
// lunation method (Astronomical Formulae for Calculators; lunations counted
// from the new moon of 1900 January 0): a test of the Moon's argument of
// latitude, then the mean new or full moon with periodic corrections for the
// instant, and gamma and u for the kind and magnitude.
//
// `next` gives the first eclipse whose greatest eclipse is at or after `date`;
// otherwise the last one before it. Instants are universal time: the method
// gives each greatest eclipse in dynamical time (TT), and delta T from the
// program's own model (platform/core/delta_t.h) turns it back into UT, where
// it is compared with `date` as given.
//
// Accuracy of the greatest eclipse against the Swiss Ephemeris library's (the
// calculator never calls it), measured over every eclipse of 1900 to 2100 and
// of two decades at the ends and middle of each span, and held to by the
// accuracy test: within 7 minutes from 1600 to 2100, 13 from 1000 to 1600, 15
// from 2100 to 2300, 27 from the year 0 to 1000 and 30 from 2300 to 3000, as
// the two libraries' extrapolations of delta T part (by 19 minutes at 3000).
//
// The search answers for instants within 20,000 years of 1900; for any other
// instant, or one that is not finite, the Eclipse has no maxPhaseDate and keeps
// its initial values. It looks at no more than 30 lunations (the longest run of
// one type without an eclipse is 6) and allocates nothing.

#include "mooncalc/eclipse.h"
#include "platform/core/date.h"

#include <optional>

namespace mooncalc {

class EclipseCalculator {
public:
    // The raw values are the half lunations between a new moon and the phase
    // at which the eclipse can happen.
    enum class EclipseType : int { solar = 0, lunar = 1 };
    static std::optional<EclipseType> eclipseTypeFromRawValue(int rawValue) noexcept;

    static Eclipse getEclipseFor(platform::Date date, EclipseType eclipseType, bool next) noexcept;
};

} // namespace mooncalc
