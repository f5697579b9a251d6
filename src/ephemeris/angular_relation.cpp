#include "ephemeris/angular_relation.h"

#include "ephemeris/json.h"

#include <array>
#include <cmath>

namespace ephemeris {
namespace {

constexpr std::array kinds{Aspect::Kind::conjunction, Aspect::Kind::sextile, Aspect::Kind::square,
                           Aspect::Kind::trine, Aspect::Kind::opposition};

} // namespace

std::optional<Aspect> Aspect::make(double a, double b, double orb) noexcept {
    if (!(orb >= 0.0)) return std::nullopt;
    const double difference = std::fabs(b - a);
    const double separation = difference >= 180.0 ? std::fabs(difference - 360.0) : difference;
    for (const Kind kind : kinds) {
        const double exact = angle(kind);
        if (separation >= exact - orb && separation <= exact + orb)
            return Aspect(kind, std::round((separation - exact) * 100.0) / 100.0);
    }
    return std::nullopt;
}

std::string_view Aspect::symbol() const noexcept {
    switch (kind_) {
    case Kind::conjunction: return "\u260C";
    case Kind::sextile: return "\uFE61";
    case Kind::square: return "\u25FE\uFE0F";
    case Kind::trine: return "\u25B5";
    case Kind::opposition: return "\u260D";
    }
    return {};
}

std::string_view name(Aspect::Kind kind) noexcept {
    switch (kind) {
    case Aspect::Kind::conjunction: return "conjunction";
    case Aspect::Kind::sextile: return "sextile";
    case Aspect::Kind::square: return "square";
    case Aspect::Kind::trine: return "trine";
    case Aspect::Kind::opposition: return "opposition";
    }
    return {};
}

} // namespace ephemeris

std::size_t std::hash<ephemeris::Aspect>::operator()(const ephemeris::Aspect& aspect) const noexcept {
    const std::size_t index = static_cast<std::size_t>(aspect.kind());
    const std::size_t payload = std::hash<double>{}(aspect.remainder());
    return index * 31 + payload;
}

void nlohmann::adl_serializer<ephemeris::Aspect>::to_json(ephemeris::Json& json, const ephemeris::Aspect& aspect) {
    ephemeris::coding::RecordWriter record;
    record.record(ephemeris::name(aspect.kind()),
                  [&aspect](ephemeris::coding::RecordWriter& payload) { payload.number("_0", aspect.remainder()); });
    std::move(record).finishInto(json);
}

ephemeris::Aspect nlohmann::adl_serializer<ephemeris::Aspect>::from_json(const ephemeris::Json& json) {
    using namespace ephemeris;
    const coding::Record record(json);
    std::optional<Aspect::Kind> found;
    int count = 0;
    for (const Aspect::Kind kind : kinds) {
        if (!record.contains(name(kind))) continue;
        found = kind;
        ++count;
    }
    if (count != 1)
        throw DecodingError(DecodingError::Kind::typeMismatch, "", "Invalid number of keys found, expected one.");
    const double remainder = record.read(name(*found), [](const Json& payload) {
        return coding::Record(payload).read("_0", coding::number);
    });
    return Aspect(*found, remainder);
}
