// The zodiac-sign texts: exact short texts, and the openings, shape and
// typography of the paragraphs.

#include "engine/zodiac_sign_texts.h"
#include "support/texts.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

using namespace engine;
using ephemeris::Zodiac;

namespace {

constexpr std::array<Zodiac, 12> allSigns{Zodiac::aries,   Zodiac::taurus,      Zodiac::gemini,    Zodiac::cancer,
                                          Zodiac::leo,     Zodiac::virgo,       Zodiac::libra,     Zodiac::scorpio,
                                          Zodiac::sagittarius, Zodiac::capricorn, Zodiac::aquarius, Zodiac::pisces};

using testsupport::codePoints;

bool hasPlainApostrophe(std::string_view text) { return text.find('\'') != std::string_view::npos; }

} // namespace

TEST(ZodiacTexts, NameWithSymbolInTextPresentation) {
    EXPECT_EQ(getStarSignString(Zodiac::leo), "Leo \u264C\uFE0E");
    EXPECT_EQ(codePoints(getStarSignString(Zodiac::leo)), 6u);
    EXPECT_TRUE(getStarSignString(Zodiac::leo).ends_with("\uFE0E"));
    EXPECT_EQ(getStarSignString(Zodiac::aries), "Aries \u2648\uFE0E");
    EXPECT_EQ(getStarSignString(Zodiac::pisces), "Pisces \u2653\uFE0E");
    // The symbols run U+2648 to U+2653 in sign order: the third byte steps by one.
    for (std::size_t i = 0; i < allSigns.size(); ++i) {
        const std::string_view name = getStarSignString(allSigns[i]);
        const std::string_view symbol = name.substr(name.find(' ') + 1);
        ASSERT_EQ(symbol.size(), 6u);
        EXPECT_EQ(static_cast<unsigned char>(symbol[2]), 0x88 + i);
    }
}

TEST(ZodiacTexts, LatinTailKeepsItsSpellings) {
    EXPECT_EQ(getStarSignLatinString(Zodiac::aries), ", the first sign of the zodiac. Latin, meaning Ram.");
    EXPECT_EQ(getStarSignLatinString(Zodiac::scorpio), ", the eigth sign of the zodiac. Latin, meaning Scorpion.");
    EXPECT_EQ(getStarSignLatinString(Zodiac::pisces), ", the twelth sign of the zodiac. Latin, meaning Fishes.");
    EXPECT_EQ(getStarSignLatinString(Zodiac::capricorn),
              ", the tenth sign of the zodiac. Latin, meaning Goat-horned.");
    EXPECT_EQ(getStarSignLatinString(Zodiac::aquarius),
              ", the eleventh sign of the zodiac. Latin, meaning Water Bearer.");
}

TEST(ZodiacTexts, TraitsAndElements) {
    EXPECT_EQ(getStarSignPersonalityTraitsString(Zodiac::taurus), "Strong, dependale, sensual and creative.");
    EXPECT_EQ(getStarSignPersonalityTraitsString(Zodiac::cancer),
              "Intuitive, sentimental, compassionate and protective.");
    EXPECT_EQ(getStarSignPersonalityTraitsString(Zodiac::pisces), "Affectionate, empathetic, wise and artistic.");
    const std::array<std::string_view, 4> elements{"flame", "globe.americas", "wind", "drop"};
    for (std::size_t i = 0; i < allSigns.size(); ++i)
        EXPECT_EQ(getStarSignElement(allSigns[i]), elements[i % 4]);
}

TEST(ZodiacTexts, AstrologyOpensWithTheElement) {
    const std::array<std::string_view, 4> openings{"fire sign. ", "earth sign. ", "air sign. ", "water sign. "};
    const std::array<std::size_t, 12> lengths{376, 127, 315, 272, 108, 233, 154, 329, 224, 366, 222, 253};
    for (std::size_t i = 0; i < allSigns.size(); ++i) {
        const std::string_view text = getStarSignAstrologyString(allSigns[i]);
        SCOPED_TRACE(std::string(getStarSignString(allSigns[i])));
        EXPECT_TRUE(text.starts_with(openings[i % 4]));
        EXPECT_EQ(text.find('\n'), std::string_view::npos);
        EXPECT_EQ(codePoints(text), lengths[i]);
        EXPECT_FALSE(text.ends_with("\n"));
    }
    // Aries and Cancer write their apostrophes typographically.
    for (Zodiac sign : {Zodiac::aries, Zodiac::cancer}) {
        EXPECT_NE(getStarSignAstrologyString(sign).find("\u2019"), std::string_view::npos);
        EXPECT_FALSE(hasPlainApostrophe(getStarSignAstrologyString(sign)));
    }
}

TEST(ZodiacTexts, AstronomyOpensWithTheConstellationsPlace) {
    const std::array<std::string_view, 12> openings{
        "Constellation in the northern sky lying between Pisces and Taurus.",
        "Constellation lying in the northern sky between Aries and Gemini.",
        "Constellation lying in the northern sky between Cancer and Taurus.",
        "Constellation lying in the northern sky between Leo and Gemini.",
        "Constellation lying in the northern sky between Cancer and Virgo.",
        "Constellation lying in the southern sky between Leo and Libra.",
        "Constellation in the southern sky lying between Scorpius and Virgo.",
        "Constellation lying in the southern sky between Libra and Sagittarius.",
        "Constellation in the southern sky lying between Capricornus and Scorpius.",
        "Constellation lying in the southern sky between Aquarius and Sagittarius.",
        "Constellation lying in the southern sky between Capricornus and Pisces.",
        "Constellation in the northern sky between Aries and Aquarius.",
    };
    const std::array<std::size_t, 12> lengths{504, 310, 429, 279, 231, 434, 254, 415, 723, 285, 198, 385};
    for (std::size_t i = 0; i < allSigns.size(); ++i) {
        const std::string_view text = getStarSignAstronomyString(allSigns[i]);
        SCOPED_TRACE(std::string(getStarSignString(allSigns[i])));
        EXPECT_TRUE(text.starts_with(openings[i]));
        EXPECT_EQ(text.find('\n'), std::string_view::npos);
        EXPECT_EQ(codePoints(text), lengths[i]);
        EXPECT_FALSE(text.ends_with("\n"));
    }
    for (Zodiac sign : {Zodiac::cancer, Zodiac::scorpio, Zodiac::capricorn, Zodiac::pisces})
        EXPECT_NE(getStarSignAstronomyString(sign).find("\u2019"), std::string_view::npos);
}

TEST(ZodiacTexts, AstronomyNamesTheBrightestStarsMagnitude) {
    const std::array<std::string_view, 12> stars{"Hamal",          "Aldebaran",   "Pollux",        "Al Tarf",
                                                 "Regulus",        "Spica",       "Zubeneschamali", "Antares",
                                                 "Kaus Australis", "Deneb Algedi", "Sadalmelik",    "Eta Piscium"};
    const std::array<std::string_view, 12> magnitudes{"magnitude 2.0",  "magnitude 0.85", "magnitude 1.15",
                                                      "magnitude 3.6",  "magnitude 1.35", "magnitude 1.04",
                                                      "magnitude 2.6",  "magnitude 1.1",  "magnitude 1.9",
                                                      "magnitude 2.9",  "magnitude 3.0",  "magnitude 3.6"};
    for (std::size_t i = 0; i < allSigns.size(); ++i) {
        const std::string_view text = getStarSignAstronomyString(allSigns[i]);
        SCOPED_TRACE(std::string(getStarSignString(allSigns[i])));
        EXPECT_NE(text.find(stars[i]), std::string_view::npos);
        EXPECT_NE(text.find(magnitudes[i]), std::string_view::npos);
    }
}

TEST(ZodiacTexts, ValueOutsideTheTwelveGivesEmptyTexts) {
    const auto outside = static_cast<Zodiac>(12);
    EXPECT_TRUE(getStarSignString(outside).empty());
    EXPECT_TRUE(getStarSignLatinString(outside).empty());
    EXPECT_TRUE(getStarSignAstrologyString(outside).empty());
    EXPECT_TRUE(getStarSignAstronomyString(outside).empty());
    EXPECT_TRUE(getStarSignElement(static_cast<Zodiac>(-1)).empty());
}
