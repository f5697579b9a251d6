#include "mooncalc/astro_utils.h"

#include "mooncalc/internal/local_calendar_date.h"
#include "platform/core/julian_day.h"
#include "platform/core/julian_day_numbers.h"

#include <cmath>
#include <numbers>

namespace mooncalc::astro_utils {

bool isLeap(std::int64_t year) noexcept { return astronomy::isLeapYear(year); }

std::int64_t dayOfYear(std::int64_t year, int month, int day) noexcept {
    const std::int64_t k = isLeap(year) ? 1 : 2;
    const std::int64_t m = month;   // 64 bits: no product of two ints can overflow
    return (275 * m) / 9 - k * ((m + 9) / 12) + day - 30;
}

std::optional<double> dayToYear(platform::Date date) {
    const auto civil = detail::localCalendarDate(date);
    if (!civil) return std::nullopt;
    return static_cast<double>(civil->year) +
           static_cast<double>(dayOfYear(civil->year, civil->month, civil->day)) / 365.2425;
}

double jdFromDate(platform::Date date) noexcept { return astronomy::JulianDay::of(date).value; }

platform::Date gregorianDateFrom(double julianTime) noexcept { return astronomy::JulianDay{julianTime}.date(); }

double to360(double degrees) noexcept {
    const double remainder = std::fmod(degrees, 360.0);
    return degrees < 0.0 ? remainder + 360.0 : remainder;
}

// The product with pi first, then the division: 3 degrees give pi / 60 to the
// last bit. The core's conversion multiplies by pi / 180 instead, which differs
// in the last bit for about a quarter of whole degrees.
double toRadians(double degrees) noexcept { return degrees * std::numbers::pi / 180.0; }

} // namespace mooncalc::astro_utils
