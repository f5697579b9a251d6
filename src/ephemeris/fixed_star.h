#pragma once
// Fourteen bright fixed stars and the galactic centre. The raw value is the name
// handed to the library, which ignores case and blanks when it searches its
// catalogue; the raw values themselves compare exactly.

#include "ephemeris/celestial_body.h"

#include <array>
#include <string>
#include <string_view>

namespace ephemeris {

enum class FixedStar {
    galacticCenter,
    aldebaran,
    antares,
    regulus,
    sirius,
    spica,
    algol,
    rigel,
    altair,
    capella,
    arcturus,
    procyon,
    castor,
    pollux,
    betelgeuse,
};

template <>
struct EnumTraits<FixedStar> {
    static constexpr std::string_view name = "FixedStar";
    using RawValue = std::string_view;
    using BodyIdentifier = std::string;
    static constexpr std::array allCases{
        FixedStar::galacticCenter, FixedStar::aldebaran, FixedStar::antares,  FixedStar::regulus,
        FixedStar::sirius,         FixedStar::spica,     FixedStar::algol,    FixedStar::rigel,
        FixedStar::altair,         FixedStar::capella,   FixedStar::arcturus, FixedStar::procyon,
        FixedStar::castor,         FixedStar::pollux,    FixedStar::betelgeuse,
    };
    static constexpr RawValue rawValue(FixedStar star) noexcept {
        switch (star) {
        case FixedStar::galacticCenter: return "galacticCenter";
        case FixedStar::aldebaran: return "aldebaran";
        case FixedStar::antares: return "antares";
        case FixedStar::regulus: return "regulus";
        case FixedStar::sirius: return "sirius";
        case FixedStar::spica: return "spica";
        case FixedStar::algol: return "algol";
        case FixedStar::rigel: return "rigel";
        case FixedStar::altair: return "altair";
        case FixedStar::capella: return "capella";
        case FixedStar::arcturus: return "arcturus";
        case FixedStar::procyon: return "procyon";
        case FixedStar::castor: return "castor";
        case FixedStar::pollux: return "pollux";
        case FixedStar::betelgeuse: return "betelgeuse";
        }
        return {};
    }
    static BodyIdentifier value(FixedStar star) { return BodyIdentifier(rawValue(star)); }
};

} // namespace ephemeris

template <>
struct nlohmann::adl_serializer<ephemeris::FixedStar> : ephemeris::coding::RawValueSerializer<ephemeris::FixedStar> {};
