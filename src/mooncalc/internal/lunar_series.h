#pragma once
// The periodic terms of the Moon's geocentric longitude, latitude and
// horizontal parallax: the largest terms of Brown's lunar theory as Meeus
// gives them in Astronomical Formulae for Calculators (the distance follows
// from the parallax). Each term is a coefficient in degrees, a power of E (the
// factor for the decreasing eccentricity of the Earth's orbit) and the
// multiples of D, M, M' and F whose sum is the argument.

#include <array>

namespace mooncalc::detail {

struct PeriodicTerm {
    double coefficient;
    int powerOfE;
    int d;    // mean elongation of the Moon
    int m;    // Sun's mean anomaly
    int mp;   // Moon's mean anomaly
    int f;    // Moon's argument of latitude
};

// Sines, added in this order.
inline constexpr std::array<PeriodicTerm, 39> longitudeTerms = {{
    {6.28875, 0, 0, 0, 1, 0},
    {1.274018, 0, 2, 0, -1, 0},
    {0.658309, 0, 2, 0, 0, 0},
    {0.213616, 0, 0, 0, 2, 0},
    {-0.185596, 1, 0, 1, 0, 0},
    {-0.114336, 0, 0, 0, 0, 2},
    {0.058793, 0, 2, 0, -2, 0},
    {0.057212, 1, 2, -1, -1, 0},
    {0.05332, 0, 2, 0, 1, 0},
    {0.045874, 1, 2, -1, 0, 0},
    {0.041024, 1, 0, -1, 1, 0},
    {-0.034718, 0, 1, 0, 0, 0},
    {-0.030465, 1, 0, 1, 1, 0},
    {0.015326, 0, 2, 0, 0, -2},
    {-0.012528, 0, 0, 0, 1, 2},
    {-0.01098, 0, 0, 0, -1, 2},
    {0.010674, 0, 4, 0, -1, 0},
    {0.010034, 0, 0, 0, 3, 0},
    {0.008548, 0, 4, 0, -2, 0},
    {-0.00791, 1, 2, 1, -1, 0},
    {-0.006783, 1, 2, 1, 0, 0},
    {0.005162, 0, -1, 0, 1, 0},
    {0.005, 1, 1, 1, 0, 0},
    {0.003862, 0, 4, 0, 0, 0},
    {0.004049, 1, 2, -1, 1, 0},
    {0.003996, 0, 2, 0, 2, 0},
    {0.003665, 0, 2, 0, -3, 0},
    {0.002695, 1, 0, -1, 2, 0},
    {0.002602, 0, -2, 0, 1, -2},
    {0.002396, 1, 2, -1, -2, 0},
    {-0.002349, 0, 1, 0, 1, 0},
    {0.002249, 2, 2, -2, 0, 0},
    {-0.002125, 1, 0, 1, 2, 0},
    {-0.002079, 2, 0, 2, 0, 0},
    {0.002059, 2, 2, -2, -1, 0},
    {-0.001773, 0, 2, 0, 1, -2},
    {-0.001595, 0, 2, 0, 0, 2},
    {0.00122, 1, 4, -1, -1, 0},
    {-0.00111, 0, 0, 0, 2, 2},
}};

// Cosines, added in this order after the constant 0.950724 degrees.
inline constexpr std::array<PeriodicTerm, 13> parallaxTerms = {{
    {0.051818, 0, 0, 0, 1, 0},
    {0.009531, 0, 2, 0, -1, 0},
    {0.007843, 0, 2, 0, 0, 0},
    {0.002824, 0, 0, 0, 2, 0},
    {0.000857, 0, 2, 0, 1, 0},
    {0.000533, 1, 2, -1, 0, 0},
    {0.000401, 1, 2, -1, -1, 0},
    {0.00032, 1, 0, -1, 1, 0},
    {-0.000271, 0, 1, 0, 0, 0},
    {-0.000264, 1, 0, 1, 1, 0},
    {-0.000198, 0, 0, 0, -1, 2},
    {0.000173, 0, 0, 0, 3, 0},
    {0.000167, 0, 4, 0, -1, 0},
}};

// Sines, added in this order.
inline constexpr std::array<PeriodicTerm, 17> latitudeTerms = {{
    {5.128189, 0, 0, 0, 0, 1},
    {0.280606, 0, 0, 0, 1, 1},
    {0.277693, 0, 0, 0, 1, -1},
    {0.173238, 0, 2, 0, 0, -1},
    {0.055413, 0, 2, 0, -1, 1},
    {0.046272, 0, 2, 0, -1, -1},
    {0.032573, 0, 2, 0, 0, 1},
    {0.017198, 0, 0, 0, 2, 1},
    {0.009267, 0, 2, 0, 1, -1},
    {0.008823, 0, 0, 0, 2, -1},
    {0.008247, 1, 2, -1, 0, -1},
    {0.004323, 0, 2, 0, -2, -1},
    {0.0042, 0, 2, 0, 1, 1},
    {0.003372, 1, -2, -1, 0, 1},
    {0.002472, 1, 2, -1, -1, 1},
    {0.002222, 1, 2, -1, 0, 1},
    {0.002072, 1, 2, -1, -1, -1},
}};

} // namespace mooncalc::detail
