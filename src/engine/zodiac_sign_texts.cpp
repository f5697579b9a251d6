#include "engine/zodiac_sign_texts.h"

#include <array>
#include <cstddef>
#include <optional>

namespace engine {

using ephemeris::Zodiac;

namespace {

struct SignTexts {
    std::string_view name;       // with its symbol, U+2648 to U+2653, and U+FE0E
    std::string_view ordinal;
    std::string_view latinMeaning;
    std::string_view traits;
    std::string_view element;
};

// In sign order, Aries first. The spellings are the program's own.
constexpr std::array<SignTexts, 12> signTexts{{
    {"Aries \u2648\uFE0E", "first", "Ram", "Eager, dynamic, quick and competitive.", "flame"},
    {"Taurus \u2649\uFE0E", "second", "Bull", "Strong, dependale, sensual and creative.", "globe.americas"},
    {"Gemini \u264A\uFE0E", "third", "Twins", "Versatile, expressive, curious and kind.", "wind"},
    {"Cancer \u264B\uFE0E", "fourth", "Crab", "Intuitive, sentimental, compassionate and protective.", "drop"},
    {"Leo \u264C\uFE0E", "fifth", "Lion", "Dramatic, outgoing, fiery and self-assured.", "flame"},
    {"Virgo \u264D\uFE0E", "sixth", "Virgin", "Practical, loyal, gentle and analytical.", "globe.americas"},
    {"Libra \u264E\uFE0E", "seventh", "Balance", "Social, fair-minded, diplomatic and gracious.", "wind"},
    {"Scorpio \u264F\uFE0E", "eigth", "Scorpion", "Passionate, stubborn, resourceful and brave.", "drop"},
    {"Sagittarius \u2650\uFE0E", "ninth", "Archer", "Extroverted, optimistic, funny and generous.", "flame"},
    {"Capricorn \u2651\uFE0E", "tenth", "Goat-horned", "Serious, independent, disciplined and tenacious.", "globe.americas"},
    {"Aquarius \u2652\uFE0E", "eleventh", "Water Bearer", "Deep, imaginative, original and uncompromising.", "wind"},
    {"Pisces \u2653\uFE0E", "twelth", "Fishes", "Affectionate, empathetic, wise and artistic.", "drop"},
}};

std::optional<SignTexts> textsOf(Zodiac s) {
    const auto index = static_cast<std::size_t>(s);
    if (index >= signTexts.size())
        return std::nullopt;
    return signTexts[index];
}

} // namespace

std::string_view getStarSignString(Zodiac s) {
    const auto texts = textsOf(s);
    return texts ? texts->name : std::string_view{};
}

std::string getStarSignLatinString(Zodiac s) {
    const auto texts = textsOf(s);
    if (!texts)
        return {};
    std::string tail = ", the ";
    tail += texts->ordinal;
    tail += " sign of the zodiac. Latin, meaning ";
    tail += texts->latinMeaning;
    tail += ".";
    return tail;
}

std::string_view getStarSignPersonalityTraitsString(Zodiac s) {
    const auto texts = textsOf(s);
    return texts ? texts->traits : std::string_view{};
}

std::string_view getStarSignElement(Zodiac s) {
    const auto texts = textsOf(s);
    return texts ? texts->element : std::string_view{};
}

} // namespace engine
