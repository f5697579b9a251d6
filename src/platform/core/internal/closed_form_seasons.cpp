#include "platform/core/internal/closed_form_seasons.h"

#include "platform/core/angles.h"
#include "platform/core/delta_t.h"
#include "platform/core/swiss_ephemeris.h"

#include <array>
#include <cmath>

namespace astronomy::closed_form {
namespace {

using Polynomial = std::array<double, 5>;   // JDE0 = a0 + a1 Y + a2 Y^2 + a3 Y^3 + a4 Y^4

// Meeus, table 27.A: years -1000 to +1000, Y = year / 1000.
constexpr std::array<Polynomial, 4> meanEventsBefore1000{{
    {1721139.29189, 365242.13740, 0.06134, 0.00111, -0.00071},
    {1721233.25401, 365241.72562, -0.05323, 0.00907, 0.00025},
    {1721325.70455, 365242.49558, -0.11677, -0.00297, 0.00074},
    {1721414.39987, 365242.88257, -0.00769, -0.00933, -0.00006},
}};

// Meeus, table 27.B: years +1000 to +3000, Y = (year - 2000) / 1000.
constexpr std::array<Polynomial, 4> meanEventsFrom1000{{
    {2451623.80984, 365242.37404, 0.05169, -0.00411, -0.00057},
    {2451716.56767, 365241.62603, 0.00325, 0.00888, -0.00030},
    {2451810.21715, 365242.01767, -0.11575, 0.00337, 0.00078},
    {2451900.05952, 365242.74049, -0.06223, -0.00823, 0.00032},
}};

// Meeus, table 27.C: periodic terms A cos(B + C T), B and C in degrees.
struct PeriodicTerm {
    double a;
    double b;
    double c;
};
constexpr std::array<PeriodicTerm, 24> periodicTerms{{
    {485, 324.96, 1934.136},  {203, 337.23, 32964.467}, {199, 342.08, 20.186},
    {182, 27.85, 445267.112}, {156, 73.14, 45036.886},  {136, 171.52, 22518.443},
    {77, 222.54, 65928.934},  {74, 296.72, 3034.906},   {70, 243.58, 9037.513},
    {58, 119.81, 33718.147},  {52, 297.17, 150.678},    {50, 21.02, 2281.232},
    {45, 247.54, 29929.562},  {44, 325.15, 31555.956},  {29, 60.93, 4443.417},
    {18, 155.12, 67555.328},  {17, 288.79, 4562.452},   {16, 198.04, 62894.029},
    {14, 199.76, 31436.921},  {12, 95.39, 14577.848},   {12, 287.11, 31931.756},
    {12, 320.81, 34777.259},  {9, 227.73, 1222.114},    {8, 15.45, 16859.074},
}};

} // namespace

double dynamicalTime(int year, SolarEvent event) noexcept {
    const bool early = year < 1000;
    const Polynomial& p = (early ? meanEventsBefore1000 : meanEventsFrom1000)[static_cast<std::size_t>(event) & 3];
    const double y = early ? year / 1000.0 : (year - 2000) / 1000.0;
    const double meanEvent = p[0] + y * (p[1] + y * (p[2] + y * (p[3] + y * p[4])));

    const double t = (meanEvent - 2451545.0) / 36525.0;   // Julian centuries from J2000.0
    const double w = radians(35999.373 * t - 2.47);
    const double lambdaFactor = 1.0 + 0.0334 * std::cos(w) + 0.0007 * std::cos(2.0 * w);
    double sum = 0.0;
    for (const PeriodicTerm& term : periodicTerms)
        sum += term.a * std::cos(radians(term.b + term.c * t));
    return meanEvent + 0.00001 * sum / lambdaFactor;
}

namespace {

// The library's delta T, or the model's when the library may not be asked.
double deltaT(double julianDayUT) noexcept {
    const double fromLibrary = swisseph::deltaT(julianDayUT);
    return std::isfinite(fromLibrary) ? fromLibrary : modelDeltaT(julianDayUT);
}

} // namespace

double universalTime(int year, SolarEvent event) noexcept {
    const double tt = dynamicalTime(year, event);
    // Delta T takes universal time; a second pass removes the difference between
    // the two scales from its argument.
    const double firstGuess = tt - deltaT(tt);
    return tt - deltaT(firstGuess);
}

} // namespace astronomy::closed_form
