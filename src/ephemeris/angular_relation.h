#pragma once
// The five classical angular relations between two ecliptic longitudes, each
// accepted within a tolerance (the orb), with how far the measured angle lies
// from the exact one.

#include "ephemeris/coordinate.h"
#include "ephemeris/expected.h"
#include "ephemeris/json_fwd.h"
#include "ephemeris/pair.h"
#include "platform/core/date.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

namespace ephemeris {

class Aspect {
public:
    // Index 0 to 4 in this order; the exact angles are 0, 60, 90, 120 and 180 degrees.
    enum class Kind { conjunction, sextile, square, trine, opposition };

    // `remainder`: the measured angle less the exact one, in degrees.
    constexpr Aspect(Kind kind, double remainder) noexcept : kind_(kind), remainder_(remainder) {}

    // The aspect between longitudes `a` and `b` (degrees): the first of the five
    // angles, in order, whose closed range angle - orb ... angle + orb holds their
    // separation, with the remainder rounded to hundredths. None when no range
    // holds it, and for an orb that is negative or not a number.
    static std::optional<Aspect> make(double a, double b, double orb) noexcept;

    // The aspect between the tropical longitudes of the two bodies at `date`; an
    // error when either position cannot be computed.
    template <CelestialBody A, CelestialBody B>
    static Expected<std::optional<Aspect>> make(const Pair<A, B>& pair, platform::Date date, double orb) {
        const auto first = Coordinate<A>::make(pair.a(), date);
        if (!first) return first.error();
        const auto second = Coordinate<B>::make(pair.b(), date);
        if (!second) return second.error();
        return make(first->longitude(), second->longitude(), orb);
    }

    Kind kind() const noexcept { return kind_; }
    double remainder() const noexcept { return remainder_; }
    // ☌ ﹡ ◾️ ▵ ☍
    std::string_view symbol() const noexcept;

    static constexpr double angle(Kind kind) noexcept {
        switch (kind) {
        case Kind::conjunction: return 0.0;
        case Kind::sextile: return 60.0;
        case Kind::square: return 90.0;
        case Kind::trine: return 120.0;
        case Kind::opposition: return 180.0;
        }
        return 0.0;
    }

    // Same kind and equal remainders; a remainder that is not a number equals nothing.
    friend bool operator==(const Aspect&, const Aspect&) = default;

private:
    Kind kind_;
    double remainder_;
};

// The case name ("conjunction" ...).
std::string_view name(Aspect::Kind kind) noexcept;

} // namespace ephemeris

template <>
struct std::hash<ephemeris::Aspect> {
    std::size_t operator()(const ephemeris::Aspect& aspect) const noexcept;
};

// A record with one key, the case name, holding a record whose one key "_0"
// holds the remainder: {"square": {"_0": 3.5}}.
template <>
struct nlohmann::adl_serializer<ephemeris::Aspect> {
    static void to_json(ephemeris::Json& json, const ephemeris::Aspect& aspect);
    static ephemeris::Aspect from_json(const ephemeris::Json& json);
};
