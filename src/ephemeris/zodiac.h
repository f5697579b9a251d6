#pragma once
// The twelve signs of the zodiac, 30 degrees each, counted from the vernal point.

#include "ephemeris/json_fwd.h"
#include "ephemeris/raw_value.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace ephemeris {

// The raw values are the index of the sign along the ecliptic and are relied
// upon by stored data and by callers keyed on them.
enum class Zodiac : std::int32_t {
    aries = 0,
    taurus = 1,
    gemini = 2,
    cancer = 3,
    leo = 4,
    virgo = 5,
    libra = 6,
    scorpio = 7,
    sagittarius = 8,
    capricorn = 9,
    aquarius = 10,
    pisces = 11,
};

template <>
struct EnumTraits<Zodiac> {
    static constexpr std::string_view name = "Zodiac";
    using RawValue = std::int32_t;
    static constexpr std::array allCases{
        Zodiac::aries, Zodiac::taurus,      Zodiac::gemini,    Zodiac::cancer,   Zodiac::leo,    Zodiac::virgo,
        Zodiac::libra, Zodiac::scorpio, Zodiac::sagittarius, Zodiac::capricorn, Zodiac::aquarius, Zodiac::pisces,
    };
    static constexpr RawValue rawValue(Zodiac sign) noexcept { return static_cast<RawValue>(sign); }
};

// The sign's glyph followed by U+FE0E, which asks for text rather than emoji presentation.
std::string_view symbol(Zodiac sign) noexcept;
// The English name, a blank, then the symbol: "Aries ♈︎".
std::string_view formatted(Zodiac sign) noexcept;

} // namespace ephemeris

template <>
struct nlohmann::adl_serializer<ephemeris::Zodiac> : ephemeris::coding::RawValueSerializer<ephemeris::Zodiac> {};
