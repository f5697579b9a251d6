#include "engine/zodiac_sign_texts.h"

#include <array>
#include <cstddef>
#include <optional>

namespace engine {

using ephemeris::Zodiac;

namespace {

// The sign's name and symbol are the ephemeris layer's (ephemeris::formatted).
struct SignTexts {
    std::string_view ordinal;
    std::string_view latinMeaning;
    std::string_view traits;
    std::string_view element;
};

// In sign order, Aries first. The spellings are the program's own.
constexpr std::array<SignTexts, 12> signTexts{{
    {"first", "Ram", "Eager, dynamic, quick and competitive.", "flame"},
    {"second", "Bull", "Strong, dependale, sensual and creative.", "globe.americas"},
    {"third", "Twins", "Versatile, expressive, curious and kind.", "wind"},
    {"fourth", "Crab", "Intuitive, sentimental, compassionate and protective.", "drop"},
    {"fifth", "Lion", "Dramatic, outgoing, fiery and self-assured.", "flame"},
    {"sixth", "Virgin", "Practical, loyal, gentle and analytical.", "globe.americas"},
    {"seventh", "Balance", "Social, fair-minded, diplomatic and gracious.", "wind"},
    {"eigth", "Scorpion", "Passionate, stubborn, resourceful and brave.", "drop"},
    {"ninth", "Archer", "Extroverted, optimistic, funny and generous.", "flame"},
    {"tenth", "Goat-horned", "Serious, independent, disciplined and tenacious.", "globe.americas"},
    {"eleventh", "Water Bearer", "Deep, imaginative, original and uncompromising.", "wind"},
    {"twelth", "Fishes", "Affectionate, empathetic, wise and artistic.", "drop"},
}};

std::optional<SignTexts> textsOf(Zodiac s) {
    const auto index = static_cast<std::size_t>(s);
    if (index >= signTexts.size())
        return std::nullopt;
    return signTexts[index];
}

} // namespace

std::string_view getStarSignString(Zodiac s) { return ephemeris::formatted(s); }

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
