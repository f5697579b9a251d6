#include "mooncalc/moon_phase.h"
#include "mooncalc/moon_zodiac_sign.h"

#include <gtest/gtest.h>

namespace mooncalc {
namespace {

TEST(CaseNames, PhasesByExactName) {
    EXPECT_EQ(rawValue(MoonPhase::newMoon), "newMoon");
    EXPECT_EQ(rawValue(MoonPhase::waningCrescent), "waningCrescent");
    for (int index = 0; index < 8; ++index) {
        const auto phase = static_cast<MoonPhase>(index);
        EXPECT_EQ(moonPhaseFromRawValue(rawValue(phase)), phase);
    }
    EXPECT_FALSE(moonPhaseFromRawValue("NewMoon"));
    EXPECT_FALSE(moonPhaseFromRawValue("fullmoon"));
    EXPECT_FALSE(moonPhaseFromRawValue(""));
    EXPECT_EQ(static_cast<int>(MoonPhase::fullMoon), 4);
}

TEST(CaseNames, SignsKeepTheirOwnOrder) {
    EXPECT_EQ(moonZodiacSignFromRawValue("aries"), MoonZodiacSign::aries);
    EXPECT_FALSE(moonZodiacSignFromRawValue("Aries"));
    EXPECT_FALSE(moonZodiacSignFromRawValue("aries "));
    EXPECT_EQ(static_cast<int>(MoonZodiacSign::aries), 0);
    EXPECT_EQ(static_cast<int>(MoonZodiacSign::cancer), 1);
    EXPECT_EQ(static_cast<int>(MoonZodiacSign::taurus), 2);
    EXPECT_EQ(static_cast<int>(MoonZodiacSign::pisces), 11);
    const char* names[] = {"aries", "cancer", "taurus", "leo", "gemini", "virgo",
                           "libra", "capricorn", "scorpio", "aquarius", "sagittarius", "pisces"};
    for (int index = 0; index < 12; ++index) {
        EXPECT_EQ(rawValue(static_cast<MoonZodiacSign>(index)), names[index]);
        EXPECT_EQ(moonZodiacSignFromRawValue(names[index]), static_cast<MoonZodiacSign>(index));
    }
}

} // namespace
} // namespace mooncalc
