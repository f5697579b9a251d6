#pragma once
// The twelve astrological houses of a place at an instant: the cusps, the
// ascendant and the midheaven, each in the tropical and the sidereal zodiac.

#include "ephemeris/expected.h"
#include "ephemeris/raw_value.h"
#include "ephemeris/zodiac_coordinate.h"
#include "platform/core/date.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace ephemeris {

// The raw values are this program's own numbering; the library is given the
// method's letter.
enum class HouseSystem : std::int32_t {
    placidus = 0,
    koch = 1,
    porphyrius = 2,
    regiomontanus = 3,
    campanus = 4,
    equal = 5,
    wholeSign = 6,
};

template <>
struct EnumTraits<HouseSystem> {
    static constexpr std::string_view name = "HouseSystem";
    using RawValue = std::int32_t;
    static constexpr std::array allCases{
        HouseSystem::placidus, HouseSystem::koch,  HouseSystem::porphyrius, HouseSystem::regiomontanus,
        HouseSystem::campanus, HouseSystem::equal, HouseSystem::wholeSign,
    };
    static constexpr RawValue rawValue(HouseSystem system) noexcept { return static_cast<RawValue>(system); }
};

// The library's letter for the method: P, K, O, R, C, E, W.
char letter(HouseSystem system) noexcept;

// One point of the ecliptic.
class Cusp {
public:
    // `value` as the tropical longitude, and less the ayanamsha of `date` (wrapped
    // once into the circle) as the sidereal one. Fails only when the ayanamsha does.
    static Expected<Cusp> make(double value, platform::Date date);

    const ZodiacCoordinate& tropical() const noexcept { return tropical_; }
    const ZodiacCoordinate& sidereal() const noexcept { return sidereal_; }

private:
    friend class HouseCusps;
    Cusp(double value, double ayanamsha) noexcept : tropical_(value), sidereal_(value, ayanamsha) {}

    ZodiacCoordinate tropical_;
    ZodiacCoordinate sidereal_;
};

static_assert(ZodiacMappable<Cusp>);

class HouseCusps {
public:
    // The houses at `date` for a place (degrees, north and east positive).
    // Placidus and Koch are undefined beyond the polar circles; there the library
    // gives Porphyry cusps instead, and these are returned. An error for a latitude
    // outside -90...90, for values that are not finite, or when the library fails.
    static Expected<HouseCusps> make(platform::Date date, double latitude, double longitude,
                                     HouseSystem houseSystem);

    platform::Date date() const noexcept { return date_; }
    const Cusp& ascendent() const noexcept { return ascendent_; }
    const Cusp& midHeaven() const noexcept { return midHeaven_; }
    const Cusp& first() const noexcept { return cusps_[0]; }
    const Cusp& second() const noexcept { return cusps_[1]; }
    const Cusp& third() const noexcept { return cusps_[2]; }
    const Cusp& fourth() const noexcept { return cusps_[3]; }
    const Cusp& fifth() const noexcept { return cusps_[4]; }
    const Cusp& sixth() const noexcept { return cusps_[5]; }
    const Cusp& seventh() const noexcept { return cusps_[6]; }
    const Cusp& eighth() const noexcept { return cusps_[7]; }
    const Cusp& ninth() const noexcept { return cusps_[8]; }
    const Cusp& tenth() const noexcept { return cusps_[9]; }
    const Cusp& eleventh() const noexcept { return cusps_[10]; }
    const Cusp& twelfth() const noexcept { return cusps_[11]; }

private:
    HouseCusps(platform::Date date, Cusp ascendent, Cusp midHeaven, const std::array<Cusp, 12>& cusps) noexcept
        : date_(date), ascendent_(ascendent), midHeaven_(midHeaven), cusps_(cusps) {}

    platform::Date date_;
    Cusp ascendent_;
    Cusp midHeaven_;
    std::array<Cusp, 12> cusps_;
};

} // namespace ephemeris
