#include "ephemeris/pair.h"

namespace ephemeris {

PlanetPairs::PlanetPairs() {
    const auto& planets = allCases<Planet>();
    for (std::size_t i = 0; i + 1 < planets.size(); ++i)
        for (std::size_t j = i + 1; j < planets.size(); ++j) pairs_.emplace_back(planets[i], planets[j]);
}

} // namespace ephemeris
