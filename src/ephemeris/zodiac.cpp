#include "ephemeris/zodiac.h"

#include "ephemeris/json.h"

namespace ephemeris {

std::string_view symbol(Zodiac sign) noexcept {
    switch (sign) {
    case Zodiac::aries: return "\u2648\uFE0E";
    case Zodiac::taurus: return "\u2649\uFE0E";
    case Zodiac::gemini: return "\u264A\uFE0E";
    case Zodiac::cancer: return "\u264B\uFE0E";
    case Zodiac::leo: return "\u264C\uFE0E";
    case Zodiac::virgo: return "\u264D\uFE0E";
    case Zodiac::libra: return "\u264E\uFE0E";
    case Zodiac::scorpio: return "\u264F\uFE0E";
    case Zodiac::sagittarius: return "\u2650\uFE0E";
    case Zodiac::capricorn: return "\u2651\uFE0E";
    case Zodiac::aquarius: return "\u2652\uFE0E";
    case Zodiac::pisces: return "\u2653\uFE0E";
    }
    return {};
}

std::string_view formatted(Zodiac sign) noexcept {
    switch (sign) {
    case Zodiac::aries: return "Aries \u2648\uFE0E";
    case Zodiac::taurus: return "Taurus \u2649\uFE0E";
    case Zodiac::gemini: return "Gemini \u264A\uFE0E";
    case Zodiac::cancer: return "Cancer \u264B\uFE0E";
    case Zodiac::leo: return "Leo \u264C\uFE0E";
    case Zodiac::virgo: return "Virgo \u264D\uFE0E";
    case Zodiac::libra: return "Libra \u264E\uFE0E";
    case Zodiac::scorpio: return "Scorpio \u264F\uFE0E";
    case Zodiac::sagittarius: return "Sagittarius \u2650\uFE0E";
    case Zodiac::capricorn: return "Capricorn \u2651\uFE0E";
    case Zodiac::aquarius: return "Aquarius \u2652\uFE0E";
    case Zodiac::pisces: return "Pisces \u2653\uFE0E";
    }
    return {};
}

} // namespace ephemeris

template struct ephemeris::coding::RawValueSerializer<ephemeris::Zodiac>;
