#include "ephemeris/ayanamsha.h"

#include "ephemeris/julian_date.h"
#include "ephemeris/library_result.h"

namespace ephemeris {

Expected<double> Ayanamsha::operator()(platform::Date date) const {
    return fromLibrary(swisseph::ayanamsha(julianDate(date)));
}

} // namespace ephemeris
