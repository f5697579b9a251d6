// Cusps against swe_houses called directly once, in a scratch program, for
// London (51.509865 N, 0.118092 W) at 2024-03-20 03:06 UTC (Julian day
// 2440587.5 + 1710903960 / 86400).

#include "ephemeris/ayanamsha.h"
#include "ephemeris/houses.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

using namespace ephemeris;
using ephemeris_test::utc;

namespace {

const platform::Date instant = utc(2024, 3, 20, 3, 6);
constexpr double londonLatitude = 51.509865;
constexpr double londonLongitude = -0.118092;
constexpr double ascendant = 281.35301428010507;
constexpr double midheaven = 226.99232733953363;

std::array<double, 12> tropicalCusps(const HouseCusps& houses) {
    return {houses.first().tropical().value(),    houses.second().tropical().value(),
            houses.third().tropical().value(),    houses.fourth().tropical().value(),
            houses.fifth().tropical().value(),    houses.sixth().tropical().value(),
            houses.seventh().tropical().value(),  houses.eighth().tropical().value(),
            houses.ninth().tropical().value(),    houses.tenth().tropical().value(),
            houses.eleventh().tropical().value(), houses.twelfth().tropical().value()};
}

void expectCusps(HouseSystem system, const std::array<double, 12>& expected) {
    const auto houses = HouseCusps::make(instant, londonLatitude, londonLongitude, system);
    ASSERT_TRUE(houses) << houses.error().message;
    EXPECT_EQ(houses->date(), instant);
    EXPECT_DOUBLE_EQ(houses->ascendent().tropical().value(), ascendant);
    EXPECT_DOUBLE_EQ(houses->midHeaven().tropical().value(), midheaven);
    const auto cusps = tropicalCusps(*houses);
    for (std::size_t i = 0; i < 12; ++i) EXPECT_NEAR(cusps[i], expected[i], 1e-9) << "cusp " << i + 1;
}

} // namespace

TEST(HouseSystem, RawValuesAndLetters) {
    EXPECT_EQ(allCases<HouseSystem>().size(), 7u);
    EXPECT_EQ(fromRawValue<HouseSystem>(7), std::nullopt);
    EXPECT_EQ(fromRawValue<HouseSystem>(-1), std::nullopt);
    EXPECT_EQ(fromRawValue<HouseSystem>(6), HouseSystem::wholeSign);
    std::string letters;
    for (const HouseSystem system : allCases<HouseSystem>()) letters += letter(system);
    EXPECT_EQ(letters, "PKORCEW");
}

TEST(HouseCusps, LondonInEverySystem) {
    expectCusps(HouseSystem::placidus,
                {281.35301428010507, 334.09016350167667, 19.189555053813681, 46.992327339533631, 66.53864799592958,
                 83.297543675635325, 101.35301428010507, 154.09016350167667, 199.18955505381368, 226.99232733953363,
                 246.53864799592958, 263.29754367563532});
    expectCusps(HouseSystem::koch,
                {281.35301428010507, 311.44373173603867, 358.90036498216, 46.992327339533631, 63.066568106749628,
                 80.433011478421918, 101.35301428010507, 131.44373173603867, 178.90036498216, 226.99232733953363,
                 243.06656810674963, 260.43301147842192});
    expectCusps(HouseSystem::porphyrius,
                {281.35301428010507, 323.23278529991461, 5.1125563197240922, 46.992327339533631, 65.112556319724149,
                 83.23278529991461, 101.35301428010507, 143.23278529991461, 185.11255631972409, 226.99232733953363,
                 245.11255631972412, 263.23278529991461});
    expectCusps(HouseSystem::regiomontanus,
                {281.35301428010507, 329.39449292963127, 21.461540532483792, 46.992327339533631, 62.819308349655159,
                 78.151727371085713, 101.35301428010507, 149.39449292963127, 201.46154053248378, 226.99232733953363,
                 242.81930834965516, 258.15172737108571});
    expectCusps(HouseSystem::campanus,
                {281.35301428010507, 355.242366942231, 32.244862293025655, 46.992327339533631, 57.811066382296644,
                 71.21957696111798, 101.35301428010507, 175.242366942231, 212.24486229302565, 226.99232733953363,
                 237.81106638229662, 251.21957696111798});
    expectCusps(HouseSystem::equal,
                {281.35301428010507, 311.35301428010507, 341.35301428010507, 11.353014280105072, 41.353014280105072,
                 71.353014280105072, 101.35301428010507, 131.35301428010507, 161.35301428010507, 191.35301428010507,
                 221.35301428010507, 251.35301428010507});
    expectCusps(HouseSystem::wholeSign, {270, 300, 330, 0, 30, 60, 90, 120, 150, 180, 210, 240});
}

TEST(HouseCusps, SiderealCuspsWrapOnce) {
    const auto houses = HouseCusps::make(instant, londonLatitude, londonLongitude, HouseSystem::wholeSign);
    ASSERT_TRUE(houses);
    const auto ayanamsha = Ayanamsha()(instant);
    ASSERT_TRUE(ayanamsha);
    // The fourth cusp lies at 0 degrees, below the ayanamsha: its sidereal value
    // is just short of 360, not negative.
    EXPECT_DOUBLE_EQ(houses->fourth().sidereal().value(), 360.0 - *ayanamsha);
    EXPECT_DOUBLE_EQ(houses->ascendent().sidereal().value(), ascendant - *ayanamsha);

    const auto cusp = Cusp::make(10.0, instant);
    ASSERT_TRUE(cusp);
    EXPECT_DOUBLE_EQ(cusp->sidereal().value(), 370.0 - *ayanamsha);
}

// Beyond the polar circle Placidus and Koch are undefined; the library's
// Porphyry cusps are what it gives, not a failure.
TEST(HouseCusps, PolarFallback) {
    // swe_houses for 70 N, 19 E at the same instant: 'P' returns ERR with the
    // second cusp 60.933858376080458, the same as 'O'.
    for (const HouseSystem system : {HouseSystem::placidus, HouseSystem::koch, HouseSystem::porphyrius}) {
        const auto houses = HouseCusps::make(instant, 70.0, 19.0, system);
        ASSERT_TRUE(houses) << houses.error().message;
        EXPECT_NEAR(houses->second().tropical().value(), 60.933858376080458, 1e-9);
    }
    EXPECT_TRUE(HouseCusps::make(instant, 90.0, 0.0, HouseSystem::placidus));
}

TEST(HouseCusps, ImpossiblePlacesAreRefused) {
    const auto beyondPole = HouseCusps::make(instant, 95.0, 0.0, HouseSystem::equal);
    ASSERT_FALSE(beyondPole);
    EXPECT_EQ(beyondPole.error().message, "latitude must lie between -90 and 90 degrees");
    EXPECT_FALSE(HouseCusps::make(instant, std::nan(""), 0.0, HouseSystem::placidus));
    EXPECT_FALSE(HouseCusps::make(instant, 51.0, std::numeric_limits<double>::infinity(), HouseSystem::koch));
    EXPECT_FALSE(HouseCusps::make(platform::Date::fromSecondsSince1970(std::nan("")), 51.0, 0.0, HouseSystem::equal));
    // Far beyond the library's span, refused before it is asked.
    const auto farPast = HouseCusps::make(platform::Date::fromSecondsSince1970(-1e200), 51.0, 0.0, HouseSystem::equal);
    ASSERT_FALSE(farPast);
    EXPECT_NE(farPast.error().message.find("outside the span the ephemeris library covers"), std::string::npos);
}
