#pragma once
// The 28 lunar mansions: equal stations of the Moon along the ecliptic, counted
// from 0 degrees Aries; mansion k covers k * 360/28 up to (k + 1) * 360/28 degrees.

#include "ephemeris/raw_value.h"

#include <array>
#include <string_view>

namespace ephemeris {

enum class LunarMansion : int {
    alSharatain = 0,
    alButayn = 1,
    alThuraiya = 2,
    alDabaran = 3,
    alHaqa = 4,
    alHana = 5,
    alDhira = 6,
    alNathrah = 7,
    alTarf = 8,
    alJabhah = 9,
    alZubrah = 10,
    alSarfah = 11,
    alAwwa = 12,
    alSimak = 13,
    alGhafr = 14,
    alZubana = 15,
    alIklil = 16,
    alQalb = 17,
    alShaulah = 18,
    alNaaim = 19,
    alBaldah = 20,
    saedAlDhabih = 21,
    saedBula = 22,
    saedAlSuud = 23,
    saedAlAkhbiyah = 24,
    alFarghAlAwwal = 25,
    alFarghAlThani = 26,
    batnAlHut = 27,
};

template <>
struct EnumTraits<LunarMansion> {
    using RawValue = int;
    static constexpr auto allCases = [] {
        std::array<LunarMansion, 28> cases{};
        for (int i = 0; i < 28; ++i) cases[static_cast<std::size_t>(i)] = static_cast<LunarMansion>(i);
        return cases;
    }();
    static constexpr RawValue rawValue(LunarMansion mansion) noexcept { return static_cast<RawValue>(mansion); }
};

// The mansion's name with its ordinal: "Al Sharatain (1st)".
std::string_view formatted(LunarMansion mansion) noexcept;

} // namespace ephemeris
