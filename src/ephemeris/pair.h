#pragma once
// Two bodies taken together, possibly of different kinds, and every unordered
// pair of distinct planets.

#include "ephemeris/celestial_body.h"
#include "ephemeris/planet.h"

#include <vector>

namespace ephemeris {

// Read-only once made: an aspect computed for a pair stays the aspect of that pair.
template <CelestialBody A, CelestialBody B>
class Pair {
public:
    constexpr Pair(A a, B b) noexcept : a_(a), b_(b) {}

    constexpr A a() const noexcept { return a_; }
    constexpr B b() const noexcept { return b_; }

private:
    A a_;
    B b_;
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
