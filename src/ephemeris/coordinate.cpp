#include "ephemeris/coordinate.h"

#include "ephemeris/asteroid.h"
#include "ephemeris/fixed_star.h"
#include "ephemeris/internal/library_result.h"
#include "ephemeris/json.h"
#include "ephemeris/julian_date.h"
#include "ephemeris/lunar_north_node.h"
#include "ephemeris/planet.h"

namespace ephemeris {
static_assert(ZodiacMappable<Coordinate<Planet>>);
static_assert(ZodiacMappable<Coordinate<FixedStar>>);
} // namespace ephemeris

namespace ephemeris::detail {
namespace {

// Speeds on; everything else at the library's defaults: its data files (or its
// analytic theory without them), geocentric, apparent, ecliptic of date.
constexpr std::int32_t positionFlags = swisseph::flag::speed;

Expected<BodyPosition> withAyanamsha(const std::array<double, 6>& values, platform::Date date) {
    const auto ayanamsha = Ayanamsha()(date);
    if (!ayanamsha) return ayanamsha.error();
    return BodyPosition{values, *ayanamsha};
}

} // namespace

Expected<BodyPosition> positionOf(std::int32_t bodyNumber, platform::Date date) {
    const auto position = fromLibrary(swisseph::calculateUT(julianDate(date), bodyNumber, positionFlags));
    if (!position) return position.error();
    return withAyanamsha(position->values, date);
}

Expected<BodyPosition> positionOf(const std::string& starName, platform::Date date) {
    // The library defines the star's time argument on the ephemeris time scale;
    // it receives the universal-time Julian day, as the ayanamsha does, which moves
    // a star by far less than a thousandth of an arc second.
    const auto star = fromLibrary(swisseph::fixedStar(starName, julianDate(date), positionFlags));
    if (!star) return star.error();
    return withAyanamsha(star->position.values, date);
}

} // namespace ephemeris::detail

template <ephemeris::CelestialBody T>
void nlohmann::adl_serializer<ephemeris::Coordinate<T>>::to_json(ephemeris::Json& json,
                                                                  const ephemeris::Coordinate<T>& coordinate) {
    ephemeris::coding::RecordWriter record;
    record.value("body", coordinate.body());
    record.date("date", coordinate.date());
    record.number("longitude", coordinate.longitude());
    record.number("latitude", coordinate.latitude());
    record.number("distance", coordinate.distance());
    record.number("speedLongitude", coordinate.speedLongitude());
    record.number("speedLatitude", coordinate.speedLatitude());
    record.number("speedDistance", coordinate.speedDistance());
    record.value("tropicalCoordinate", coordinate.tropical());
    record.value("siderealCoordinate", coordinate.sidereal());
    std::move(record).finishInto(json);
}

template <ephemeris::CelestialBody T>
ephemeris::Coordinate<T> nlohmann::adl_serializer<ephemeris::Coordinate<T>>::from_json(const ephemeris::Json& json) {
    using namespace ephemeris::coding;
    const Record record(json);
    const T body = record.decode<T>("body");
    const platform::Date date = record.read("date", decodeDate);
    const std::array<double, 6> values{
        record.read("longitude", number),     record.read("latitude", number),
        record.read("distance", number),      record.read("speedLongitude", number),
        record.read("speedLatitude", number), record.read("speedDistance", number),
    };
    const auto tropical = record.decode<ephemeris::ZodiacCoordinate>("tropicalCoordinate");
    const auto sidereal = record.decode<ephemeris::ZodiacCoordinate>("siderealCoordinate");
    return ephemeris::Coordinate<T>(body, date, values, tropical, sidereal);
}

template struct nlohmann::adl_serializer<ephemeris::Coordinate<ephemeris::Planet>>;
template struct nlohmann::adl_serializer<ephemeris::Coordinate<ephemeris::Asteroid>>;
template struct nlohmann::adl_serializer<ephemeris::Coordinate<ephemeris::LunarNorthNode>>;
template struct nlohmann::adl_serializer<ephemeris::Coordinate<ephemeris::FixedStar>>;
