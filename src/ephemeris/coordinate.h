#pragma once
// The position of a celestial body at an instant: geocentric, apparent, ecliptic
// and equinox of date, with daily motions, as the library computes it by default,
// and its longitude in the tropical and the sidereal zodiac.

#include "ephemeris/ayanamsha.h"
#include "ephemeris/celestial_body.h"
#include "ephemeris/expected.h"
#include "ephemeris/json_fwd.h"
#include "ephemeris/zodiac_coordinate.h"
#include "platform/core/date.h"

#include <array>
#include <cstdint>
#include <string>

namespace ephemeris {

namespace detail {

// The six numbers of a position (longitude, latitude, distance and their daily
// motions) and the ayanamsha of the same instant.
struct BodyPosition {
    std::array<double, 6> values{};
    double ayanamsha = 0.0;
};

Expected<BodyPosition> positionOf(std::int32_t bodyNumber, platform::Date date);
// A fixed star, found by name in the library's catalogue.
Expected<BodyPosition> positionOf(const std::string& starName, platform::Date date);

} // namespace detail

template <CelestialBody T>
class Coordinate {
public:
    // The position of `body` at `date`, or the library's reason why there is
    // none (beyond the data files' range, a missing star catalogue, a damaged
    // file). Computed without data files the library's analytic theory is used.
    static Expected<Coordinate> make(T body, platform::Date date) {
        auto position = detail::positionOf(value(body), date);
        if (!position) return position.error();
        const auto& v = position->values;
        return Coordinate(body, date, v, ZodiacCoordinate(v[0]), ZodiacCoordinate(v[0], position->ayanamsha));
    }

    T body() const noexcept { return body_; }
    platform::Date date() const noexcept { return date_; }
    double longitude() const noexcept { return values_[0]; }        // degrees
    double latitude() const noexcept { return values_[1]; }         // degrees
    double distance() const noexcept { return values_[2]; }         // astronomical units
    double speedLongitude() const noexcept { return values_[3]; }   // degrees per day
    double speedLatitude() const noexcept { return values_[4]; }    // degrees per day
    double speedDistance() const noexcept { return values_[5]; }   // astronomical units per day

    // The longitude unchanged.
    const ZodiacCoordinate& tropical() const noexcept { return tropical_; }
    // The longitude less the ayanamsha of `date`, wrapped once into the circle.
    const ZodiacCoordinate& sidereal() const noexcept { return sidereal_; }

private:
    friend struct nlohmann::adl_serializer<Coordinate>;

    Coordinate(T body, platform::Date date, const std::array<double, 6>& values, ZodiacCoordinate tropical,
               ZodiacCoordinate sidereal) noexcept
        : body_(body), date_(date), values_(values), tropical_(tropical), sidereal_(sidereal) {}

    T body_;
    platform::Date date_;
    std::array<double, 6> values_;
    ZodiacCoordinate tropical_;
    ZodiacCoordinate sidereal_;
};

} // namespace ephemeris

// A record of ten keys in this order: "body", "date", "longitude", "latitude",
// "distance", "speedLongitude", "speedLatitude", "speedDistance",
// "tropicalCoordinate", "siderealCoordinate". Instantiated for the layer's four
// body kinds.
template <ephemeris::CelestialBody T>
struct nlohmann::adl_serializer<ephemeris::Coordinate<T>> {
    static void to_json(ephemeris::Json& json, const ephemeris::Coordinate<T>& coordinate);
    static ephemeris::Coordinate<T> from_json(const ephemeris::Json& json);
};
