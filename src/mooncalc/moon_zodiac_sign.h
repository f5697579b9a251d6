#pragma once
// The sign of the zodiac the Moon stands in. The cases are numbered as the
// calculator has always numbered them, which is not the order of the zodiac:
// aries 0, cancer 1, taurus 2, leo 3, ... (stored indexes keep meaning this).

#include <cstdint>
#include <optional>
#include <string_view>

namespace mooncalc {

enum class MoonZodiacSign : std::uint8_t {
    aries = 0,
    cancer = 1,
    taurus = 2,
    leo = 3,
    gemini = 4,
    virgo = 5,
    libra = 6,
    capricorn = 7,
    scorpio = 8,
    aquarius = 9,
    sagittarius = 10,
    pisces = 11,
};

// The case name ("aries", "cancer", ...), and back: only that exact text,
// case-sensitive, names a sign ("Aries" names none).
std::string_view rawValue(MoonZodiacSign sign) noexcept;
std::optional<MoonZodiacSign> moonZodiacSignFromRawValue(std::string_view text) noexcept;

} // namespace mooncalc
