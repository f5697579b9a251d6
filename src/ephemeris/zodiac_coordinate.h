#pragma once
// One ecliptic longitude, with the sign, lunar mansion and position within the
// sign that it falls on.

#include "ephemeris/json_fwd.h"
#include "ephemeris/lunar_mansion.h"
#include "ephemeris/zodiac.h"

#include <concepts>
#include <optional>
#include <string>

namespace ephemeris {

class ZodiacCoordinate {
public:
    // Keeps `value` (degrees) unchanged.
    explicit ZodiacCoordinate(double value) noexcept : value_(value) {}

    // `value` less `offset`, brought back once into the circle: a negative
    // difference gets 360 added, once only. The layer passes the ayanamsha (a
    // sidereal longitude) or 180 degrees (a south node) as the offset.
    ZodiacCoordinate(double value, double offset) noexcept;

    double value() const noexcept { return value_; }

    // The sign whose 30-degree band holds the longitude, the lower edge belonging
    // to the band. A longitude outside 0 up to 360 is first brought into the
    // circle (360 degrees is Aries); absent only for a value that is not finite.
    std::optional<Zodiac> sign() const noexcept;

    // Mansion of value / (360/28), truncated; a quotient without a mansion (360
    // and beyond, -360/28 and below, not finite) gives the 28th, batnAlHut.
    LunarMansion lunarMansion() const noexcept;

    // The position within the sign, each with its fraction: the remainder of the
    // longitude divided by 30 degrees, then the minutes and seconds of the
    // longitude's fraction. Each keeps the longitude's sign: -10.5 gives -10.5
    // degrees and -30 minutes. Not a number for a value that is not finite.
    double degree() const noexcept;
    double minute() const noexcept;
    double second() const noexcept;

    // "15 Degrees Taurus ♉︎ 30' 0''": degree, minute and second truncated, never
    // rounded, counted within the sign that `sign` names (for -10.5, 19 degrees
    // 30 minutes of Pisces). "Unknown" for a value that is not finite.
    std::string formatted() const;

private:
    double value_;
};

// A thing with a tropical and a sidereal zodiac position.
template <class T>
concept ZodiacMappable = requires(const T& thing) {
    { thing.tropical() } -> std::convertible_to<ZodiacCoordinate>;
    { thing.sidereal() } -> std::convertible_to<ZodiacCoordinate>;
};

} // namespace ephemeris

// Serialised as a record with the one key "value".
template <>
struct nlohmann::adl_serializer<ephemeris::ZodiacCoordinate> {
    static void to_json(ephemeris::Json& json, const ephemeris::ZodiacCoordinate& coordinate);
    static ephemeris::ZodiacCoordinate from_json(const ephemeris::Json& json);
};
