#include "mooncalc/moon_zodiac_sign.h"

#include "mooncalc/internal/case_names.h"

namespace mooncalc {
namespace {

constexpr std::array<std::string_view, 12> signNames = {
    "aries", "cancer", "taurus", "leo", "gemini", "virgo",
    "libra", "capricorn", "scorpio", "aquarius", "sagittarius", "pisces",
};

} // namespace

std::string_view rawValue(MoonZodiacSign sign) noexcept { return detail::nameOfCase(signNames, sign); }

std::optional<MoonZodiacSign> moonZodiacSignFromRawValue(std::string_view text) noexcept {
    return detail::caseNamed<MoonZodiacSign>(signNames, text);
}

} // namespace mooncalc
