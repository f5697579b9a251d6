#pragma once
// The Sun, the Moon and the planets from Mercury to Pluto, with the library's
// body numbers as raw values.

#include "ephemeris/celestial_body.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace ephemeris {

enum class Planet : std::int32_t {
    sun = 0,
    moon = 1,
    mercury = 2,
    venus = 3,
    mars = 4,
    jupiter = 5,
    saturn = 6,
    uranus = 7,
    neptune = 8,
    pluto = 9,
};

template <>
struct EnumTraits<Planet> {
    static constexpr std::string_view name = "Planet";
    using RawValue = std::int32_t;
    using BodyIdentifier = std::int32_t;
    static constexpr std::array allCases{
        Planet::sun,     Planet::moon,   Planet::mercury, Planet::venus,   Planet::mars,
        Planet::jupiter, Planet::saturn, Planet::uranus,  Planet::neptune, Planet::pluto,
    };
    static constexpr RawValue rawValue(Planet planet) noexcept { return static_cast<RawValue>(planet); }
    static BodyIdentifier value(Planet planet) noexcept { return rawValue(planet); }
};

// The planet's glyph; Mars's is followed by U+FE0E.
std::string_view symbol(Planet planet) noexcept;
// Glyph, blank and English name ("☉ Sun"); Mars alone is its glyph, U+FE0F and
// "Mars" without a blank.
std::string_view formatted(Planet planet) noexcept;

} // namespace ephemeris

template <>
struct nlohmann::adl_serializer<ephemeris::Planet> : ephemeris::coding::RawValueSerializer<ephemeris::Planet> {};
