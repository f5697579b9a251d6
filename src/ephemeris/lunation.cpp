#include "ephemeris/lunation.h"

#include "ephemeris/internal/library_result.h"
#include "ephemeris/json.h"
#include "ephemeris/julian_date.h"
#include "ephemeris/planet.h"

namespace ephemeris {
namespace {

Expected<double> illuminatedFractionAt(platform::Date date) {
    const auto phenomena = fromLibrary(
        swisseph::phenomenaUT(julianDate(date), rawValue(Planet::moon), swisseph::flag::speed));
    if (!phenomena) return phenomena.error();
    return (*phenomena)[1];
}

} // namespace

Expected<Lunation> Lunation::make(platform::Date date) {
    const auto now = illuminatedFractionAt(date);
    if (!now) return now.error();
    const auto hourBefore = illuminatedFractionAt(date.addingTimeInterval(-3600.0));
    if (!hourBefore) return hourBefore.error();
    return Lunation(date, *now, *hourBefore < *now);
}

Lunation::Phase Lunation::phaseOf(const Lunation& lunation) noexcept {
    const double f = lunation.illuminatedFraction();
    const bool waxing = lunation.isWaxing();
    if (f >= 0.01 && f <= 0.5) return waxing ? Phase::waxingCrescent : Phase::waningCrescent;
    if (f >= 0.5 && f <= 0.98) return waxing ? Phase::waxingGibbous : Phase::waningGibbous;
    if (f >= 0.98 && f <= 1.0) return Phase::full;
    return Phase::newMoon;
}

} // namespace ephemeris

template struct ephemeris::coding::RawValueSerializer<ephemeris::Lunation::Phase>;

void nlohmann::adl_serializer<ephemeris::Lunation>::to_json(ephemeris::Json& json,
                                                            const ephemeris::Lunation& lunation) {
    ephemeris::coding::RecordWriter record;
    record.date("date", lunation.date());
    record.number("percentage", lunation.illuminatedFraction());
    record.value("isWaxing", lunation.isWaxing());
    record.value("phase", lunation.phase());
    std::move(record).finishInto(json);
}

ephemeris::Lunation nlohmann::adl_serializer<ephemeris::Lunation>::from_json(const ephemeris::Json& json) {
    using namespace ephemeris::coding;
    const Record record(json);
    const platform::Date date = record.read("date", decodeDate);
    const double illuminatedFraction = record.read("percentage", number);
    const bool isWaxing = record.read("isWaxing", boolean);
    return ephemeris::Lunation(date, illuminatedFraction, isWaxing);
}
