#pragma once
// Six minor bodies, with the library's body numbers as raw values.

#include "ephemeris/celestial_body.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace ephemeris {

enum class Asteroid : std::int32_t {
    chiron = 15,
    pholus = 16,
    ceres = 17,
    pallas = 18,
    juno = 19,
    vesta = 20,
};

template <>
struct EnumTraits<Asteroid> {
    static constexpr std::string_view name = "Asteroid";
    using RawValue = std::int32_t;
    using BodyIdentifier = std::int32_t;
    static constexpr std::array allCases{
        Asteroid::chiron, Asteroid::pholus, Asteroid::ceres, Asteroid::pallas, Asteroid::juno, Asteroid::vesta,
    };
    static constexpr RawValue rawValue(Asteroid asteroid) noexcept { return static_cast<RawValue>(asteroid); }
    static BodyIdentifier value(Asteroid asteroid) noexcept { return rawValue(asteroid); }
};

} // namespace ephemeris

template <>
struct nlohmann::adl_serializer<ephemeris::Asteroid> : ephemeris::coding::RawValueSerializer<ephemeris::Asteroid> {};
