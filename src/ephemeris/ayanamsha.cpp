#include "ephemeris/ayanamsha.h"

#include "ephemeris/internal/library_result.h"
#include "ephemeris/julian_date.h"

namespace ephemeris {

Expected<double> Ayanamsha::operator()(platform::Date date) const {
    return fromLibrary(swisseph::ayanamsha(julianDate(date)));
}

} // namespace ephemeris
