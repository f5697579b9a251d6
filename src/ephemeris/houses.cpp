#include "ephemeris/houses.h"

#include "ephemeris/ayanamsha.h"
#include "ephemeris/internal/library_result.h"
#include "ephemeris/julian_date.h"

namespace ephemeris {

char letter(HouseSystem system) noexcept {
    switch (system) {
    case HouseSystem::placidus: return 'P';
    case HouseSystem::koch: return 'K';
    case HouseSystem::porphyrius: return 'O';
    case HouseSystem::regiomontanus: return 'R';
    case HouseSystem::campanus: return 'C';
    case HouseSystem::equal: return 'E';
    case HouseSystem::wholeSign: return 'W';
    }
    return 'P';
}

Expected<Cusp> Cusp::make(double value, platform::Date date) {
    const auto ayanamsha = Ayanamsha()(date);
    if (!ayanamsha) return ayanamsha.error();
    return Cusp(value, *ayanamsha);
}

Expected<HouseCusps> HouseCusps::make(platform::Date date, double latitude, double longitude,
                                      HouseSystem houseSystem) {
    const auto houses =
        fromLibrary(swisseph::houses(julianDate(date), latitude, longitude, letter(houseSystem)));
    if (!houses) return houses.error();
    // Every cusp has the same instant, so one ayanamsha serves all fourteen.
    const auto ayanamsha = Ayanamsha()(date);
    if (!ayanamsha) return ayanamsha.error();
    const auto cusp = [&](double value) { return Cusp(value, *ayanamsha); };
    const auto& c = houses->cusps;
    return HouseCusps(date, cusp(houses->ascmc[0]), cusp(houses->ascmc[1]),
                      {cusp(c[1]), cusp(c[2]), cusp(c[3]), cusp(c[4]), cusp(c[5]), cusp(c[6]), cusp(c[7]),
                       cusp(c[8]), cusp(c[9]), cusp(c[10]), cusp(c[11]), cusp(c[12])});
}

} // namespace ephemeris
