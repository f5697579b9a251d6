#include "platform/core/delta_t.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

namespace astronomy {
namespace {

// Delta T in seconds over [the previous segment's end, untilYear): a polynomial
// in u = (year - origin) / scale, coefficients from the constant term up.
struct Segment {
    double untilYear;
    double origin;
    double scale;
    std::array<double, 8> coefficients;
};

// Espenak and Meeus (2006). The segment 2050-2150, -20 + 32 u^2 - 0.5628 (2150 -
// year) with u = (year - 1820) / 100, is written out as a polynomial in u.
constexpr std::array<Segment, 15> segments{{
    {-500.0, 1820.0, 100.0, {-20.0, 0.0, 32.0}},
    {500.0, 0.0, 100.0, {10583.6, -1014.41, 33.78311, -5.952053, -0.1798452, 0.022174192, 0.0090316521}},
    {1600.0, 1000.0, 100.0, {1574.2, -556.01, 71.23472, 0.319781, -0.8503463, -0.005050998, 0.0083572073}},
    {1700.0, 1600.0, 1.0, {120.0, -0.9808, -0.01532, 1.0 / 7129.0}},
    {1800.0, 1700.0, 1.0, {8.83, 0.1603, -0.0059285, 0.00013336, -1.0 / 1174000.0}},
    {1860.0, 1800.0, 1.0,
     {13.72, -0.332447, 0.0068612, 0.0041116, -0.00037436, 0.0000121272, -0.0000001699, 0.000000000875}},
    {1900.0, 1860.0, 1.0, {7.62, 0.5737, -0.251754, 0.01680668, -0.0004473624, 1.0 / 233174.0}},
    {1920.0, 1900.0, 1.0, {-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197}},
    {1941.0, 1920.0, 1.0, {21.20, 0.84493, -0.076100, 0.0020936}},
    {1961.0, 1950.0, 1.0, {29.07, 0.407, -1.0 / 233.0, 1.0 / 2547.0}},
    {1986.0, 1975.0, 1.0, {45.45, 1.067, -1.0 / 260.0, -1.0 / 718.0}},
    {2005.0, 2000.0, 1.0, {63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599}},
    {2050.0, 2000.0, 1.0, {62.92, 0.32217, 0.005589}},
    {2150.0, 1820.0, 100.0, {-20.0 - 0.5628 * 330.0, 0.5628 * 100.0, 32.0}},
    {std::numeric_limits<double>::infinity(), 1820.0, 100.0, {-20.0, 0.0, 32.0}},
}};

// How many coefficients of each segment Horner's rule takes: those up to the
// highest one that is not zero. The zeros above it would hold the running sum at
// zero and change no result, only lengthen the chain of multiplications that
// the eclipse search waits on for every lunation it examines.
constexpr std::array<std::size_t, segments.size()> terms = [] {
    std::array<std::size_t, segments.size()> counts{};
    for (std::size_t i = 0; i < segments.size(); ++i) {
        std::size_t n = segments[i].coefficients.size();
        while (n > 1 && segments[i].coefficients[n - 1] == 0.0) --n;
        counts[i] = n;
    }
    return counts;
}();

} // namespace

double modelDeltaT(double julianDayUT) noexcept {
    // The decimal year the expressions take: J2000.0 is 2000.0, a Julian year a year.
    const double year = 2000.0 + (julianDayUT - 2451545.0) / 365.25;
    if (std::isnan(year))
        return year;
    std::size_t index = 0;
    while (!(year < segments[index].untilYear) && index + 1 < segments.size())
        ++index;
    const Segment& segment = segments[index];
    const double u = (year - segment.origin) / segment.scale;
    double seconds = 0.0;
    for (std::size_t power = terms[index]; power-- > 0;)
        seconds = seconds * u + segment.coefficients[power];
    return seconds / 86400.0;
}

} // namespace astronomy
