#include "ephemeris/planet.h"

#include "ephemeris/json.h"

namespace ephemeris {

std::string_view symbol(Planet planet) noexcept {
    switch (planet) {
    case Planet::sun: return "\u2609";
    case Planet::moon: return "\u263E";
    case Planet::mercury: return "\u263F";
    case Planet::venus: return "\u2640";
    case Planet::mars: return "\u2642\uFE0E";
    case Planet::jupiter: return "\u2643";
    case Planet::saturn: return "\u2644";
    case Planet::uranus: return "\u2645";
    case Planet::neptune: return "\u2646";
    case Planet::pluto: return "\u2647";
    }
    return {};
}

std::string_view formatted(Planet planet) noexcept {
    switch (planet) {
    case Planet::sun: return "\u2609 Sun";
    case Planet::moon: return "\u263E Moon";
    case Planet::mercury: return "\u263F Mercury";
    case Planet::venus: return "\u2640 Venus";
    case Planet::mars: return "\u2642\uFE0FMars";
    case Planet::jupiter: return "\u2643 Jupiter";
    case Planet::saturn: return "\u2644 Saturn";
    case Planet::uranus: return "\u2645 Uranus";
    case Planet::neptune: return "\u2646 Neptune";
    case Planet::pluto: return "\u2647 Pluto";
    }
    return {};
}

} // namespace ephemeris

template struct ephemeris::coding::RawValueSerializer<ephemeris::Planet>;
