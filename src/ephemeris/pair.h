#pragma once
// Two bodies taken together, possibly of different kinds, and every unordered
// pair of distinct planets.

#include "ephemeris/celestial_body.h"
#include "ephemeris/planet.h"

#include <vector>

namespace ephemeris {

template <CelestialBody A, CelestialBody B>
struct Pair {
    A a;
    B b;
};

class PlanetPairs {
public:
    // The 45 pairs in planet order: (sun, moon), (sun, mercury) ... (neptune, pluto);
    // the earlier planet is always `a`.
    PlanetPairs();

    const std::vector<Pair<Planet, Planet>>& pairs() const noexcept { return pairs_; }

private:
    std::vector<Pair<Planet, Planet>> pairs_;
};

} // namespace ephemeris
