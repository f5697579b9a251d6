#include "ephemeris/julian_date.h"


namespace ephemeris {
namespace {

// The Julian day of 1970-01-01 00:00:00 UTC.
constexpr double unixEpochJulianDate = 2440587.5;
constexpr double secondsPerDay = 86400.0;

} // namespace

double julianDate(platform::Date date) noexcept {
    return unixEpochJulianDate + date.secondsSince1970() / secondsPerDay;
}

platform::Date dateFromJulianDate(double julianDate) noexcept {
    return platform::Date::fromSecondsSince1970((julianDate - unixEpochJulianDate) * secondsPerDay);
}

} // namespace ephemeris
