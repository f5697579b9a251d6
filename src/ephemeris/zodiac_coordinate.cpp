#include "ephemeris/zodiac_coordinate.h"

#include "ephemeris/json.h"

#include <cmath>
#include <string>

namespace ephemeris {
namespace {

// 360 / 28 written out; the quotient is taken by this division, not by a
// multiplication with 28 / 360, so that band edges fall where they always did.
constexpr double mansionSpan = 12.857142857142858;

// The same longitude within 0 up to 360. Values already there are untouched.
double withinCircle(double value) noexcept {
    if (value >= 0.0 && value < 360.0) return value;
    double reduced = std::fmod(value, 360.0);
    if (reduced < 0.0) reduced += 360.0;
    if (reduced >= 360.0) reduced = 0.0;   // a tiny negative value rounds up to 360
    return reduced;
}

} // namespace

ZodiacCoordinate::ZodiacCoordinate(double value, double offset) noexcept {
    const double difference = value - offset;
    value_ = difference < 0.0 ? (360.0 + value) - offset : difference;
}

std::optional<Zodiac> ZodiacCoordinate::sign() const noexcept {
    if (!std::isfinite(value_)) return std::nullopt;
    return static_cast<Zodiac>(static_cast<int>(withinCircle(value_) / 30.0));
}

LunarMansion ZodiacCoordinate::lunarMansion() const noexcept {
    const double quotient = value_ / mansionSpan;
    // Truncation toward zero keeps -1 < quotient < 0 in the first mansion.
    if (!(quotient > -1.0 && quotient < 28.0)) return LunarMansion::batnAlHut;
    return static_cast<LunarMansion>(static_cast<int>(quotient));
}

// std::fmod keeps the sign of the value: the remainder of a truncated division.
double ZodiacCoordinate::degree() const noexcept { return std::fmod(value_, 30.0); }

double ZodiacCoordinate::minute() const noexcept { return std::fmod(value_, 1.0) * 60.0; }

double ZodiacCoordinate::second() const noexcept { return std::fmod(minute(), 1.0) * 60.0; }

std::string ZodiacCoordinate::formatted() const {
    const auto zodiacSign = sign();
    if (!zodiacSign) return "Unknown";
    // The text names the sign that holds the longitude, so its parts count from
    // that sign's start: those of the same longitude within the circle. Each is
    // then from 0 up to 60, so the conversions cannot overflow.
    const ZodiacCoordinate inCircle(withinCircle(value_));
    std::string text = std::to_string(static_cast<int>(inCircle.degree()));
    text += " Degrees ";
    text += ephemeris::formatted(*zodiacSign);
    text += " ";
    text += std::to_string(static_cast<int>(inCircle.minute()));
    text += "' ";
    text += std::to_string(static_cast<int>(inCircle.second()));
    text += "''";
    return text;
}

} // namespace ephemeris

void nlohmann::adl_serializer<ephemeris::ZodiacCoordinate>::to_json(ephemeris::Json& json,
                                                                  const ephemeris::ZodiacCoordinate& coordinate) {
    ephemeris::coding::RecordWriter record;
    record.number("value", coordinate.value());
    std::move(record).finishInto(json);
}

ephemeris::ZodiacCoordinate nlohmann::adl_serializer<ephemeris::ZodiacCoordinate>::from_json(
    const ephemeris::Json& json) {
    const ephemeris::coding::Record record(json);
    return ephemeris::ZodiacCoordinate(record.read("value", ephemeris::coding::number));
}
