#include "ephemeris/julian_date.h"

#include "platform/core/julian_day.h"

namespace ephemeris {

double julianDate(platform::Date date) noexcept { return astronomy::JulianDay::of(date).value; }

platform::Date dateFromJulianDate(double julianDate) noexcept { return astronomy::JulianDay{julianDate}.date(); }

} // namespace ephemeris
