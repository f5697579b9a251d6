#include "ephemeris/zodiac.h"

#include "ephemeris/json.h"

#include <cstddef>

namespace ephemeris {

namespace {

// In sign order, Aries first: the English name, a blank, and the glyph
// (U+2648 to U+2653) followed by U+FE0E.
constexpr std::array<std::string_view, 12> formattedSigns{
    "Aries \u2648\uFE0E",       "Taurus \u2649\uFE0E",    "Gemini \u264A\uFE0E",   "Cancer \u264B\uFE0E",
    "Leo \u264C\uFE0E",         "Virgo \u264D\uFE0E",     "Libra \u264E\uFE0E",    "Scorpio \u264F\uFE0E",
    "Sagittarius \u2650\uFE0E", "Capricorn \u2651\uFE0E", "Aquarius \u2652\uFE0E", "Pisces \u2653\uFE0E",
};

} // namespace

std::string_view formatted(Zodiac sign) noexcept {
    const auto index = static_cast<std::size_t>(sign);
    return index < formattedSigns.size() ? formattedSigns[index] : std::string_view{};
}

std::string_view symbol(Zodiac sign) noexcept {
    const std::string_view text = formatted(sign);
    return text.substr(text.find(' ') + 1);
}

} // namespace ephemeris

template struct ephemeris::coding::RawValueSerializer<ephemeris::Zodiac>;
