#include "ephemeris/asteroid.h"
#include "ephemeris/houses.h"
#include "ephemeris/lunar_mansion.h"
#include "ephemeris/lunar_north_node.h"
#include "ephemeris/lunation.h"
#include "ephemeris/planet.h"
#include "ephemeris/zodiac.h"
#include "ephemeris/zodiac_coordinate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

using namespace ephemeris;

TEST(Zodiac, CasesRawValuesAndTexts) {
    ASSERT_EQ(allCases<Zodiac>().size(), 12u);
    for (int i = 0; i < 12; ++i) {
        const Zodiac sign = allCases<Zodiac>()[static_cast<std::size_t>(i)];
        EXPECT_EQ(rawValue(sign), i);
        EXPECT_EQ(fromRawValue<Zodiac>(i), sign);
        // The glyph is U+2648 plus the raw value, then the text-presentation selector.
        const std::string_view glyph = symbol(sign);
        ASSERT_EQ(glyph.size(), 6u);
        EXPECT_EQ(glyph.substr(3), "\uFE0E");
        EXPECT_EQ(static_cast<unsigned char>(glyph[2]), 0x88 + i);
        const std::string_view text = formatted(sign);
        ASSERT_GT(text.size(), glyph.size() + 1);
        EXPECT_TRUE(text.ends_with(glyph));
        EXPECT_EQ(text[text.size() - glyph.size() - 1], ' ');
    }
    EXPECT_EQ(fromRawValue<Zodiac>(12), std::nullopt);
    EXPECT_EQ(fromRawValue<Zodiac>(-1), std::nullopt);
    EXPECT_EQ(formatted(Zodiac::aries), "Aries ♈︎");
    EXPECT_EQ(formatted(Zodiac::pisces), "Pisces ♓︎");
    EXPECT_EQ(formatted(Zodiac::sagittarius).size(), 18u);
}

// A raw value is a 64-bit integer: one that names a case only once cut to 32
// bits (2^32 is 0 in 32 bits, 2^32 + 11 is 11) names none.
template <class E>
void expectNoCaseForWideValues() {
    constexpr std::int64_t twoToThe32 = std::int64_t{1} << 32;
    for (const std::int64_t raw : {twoToThe32, twoToThe32 + 1, twoToThe32 + 11, -twoToThe32, -twoToThe32 + 2,
                                   std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max()})
        EXPECT_EQ(fromRawValue<E>(raw), std::nullopt) << raw;
}

TEST(RawValues, OnlyValuesInRangeNameACase) {
    expectNoCaseForWideValues<Zodiac>();
    expectNoCaseForWideValues<LunarMansion>();
    expectNoCaseForWideValues<Lunation::Phase>();
    expectNoCaseForWideValues<Planet>();
    expectNoCaseForWideValues<Asteroid>();
    expectNoCaseForWideValues<LunarNorthNode>();
    expectNoCaseForWideValues<HouseSystem>();
    EXPECT_EQ(fromRawValue<Zodiac>(std::int64_t{11}), Zodiac::pisces);
    EXPECT_EQ(fromRawValue<LunarMansion>(std::int64_t{27}), LunarMansion::batnAlHut);
    EXPECT_EQ(fromRawValue<Planet>(std::int64_t{9}), Planet::pluto);
}

TEST(LunarMansion, NamesAndBands) {
    EXPECT_EQ(allCases<LunarMansion>().size(), 28u);
    EXPECT_EQ(formatted(LunarMansion::alSharatain), "Al Sharatain (1st)");
    EXPECT_EQ(formatted(LunarMansion::saedAlDhabih), "Sa'd Al Dhabih (22nd)");
    EXPECT_EQ(formatted(LunarMansion::alFarghAlAwwal), "Al Fargh al-Awwal (26th)");
    EXPECT_EQ(formatted(LunarMansion::batnAlHut), "Batn al-Hut (28th)");
    EXPECT_EQ(fromRawValue<LunarMansion>(28), std::nullopt);

    EXPECT_EQ(ZodiacCoordinate(0.0).lunarMansion(), LunarMansion::alSharatain);
    EXPECT_EQ(ZodiacCoordinate(12.857142857142858).lunarMansion(), LunarMansion::alButayn);
    EXPECT_EQ(ZodiacCoordinate(359.99).lunarMansion(), LunarMansion::batnAlHut);
    EXPECT_EQ(ZodiacCoordinate(360.0).lunarMansion(), LunarMansion::batnAlHut);
    EXPECT_EQ(ZodiacCoordinate(-5.0).lunarMansion(), LunarMansion::alSharatain);
    EXPECT_EQ(ZodiacCoordinate(-20.0).lunarMansion(), LunarMansion::batnAlHut);
    EXPECT_EQ(ZodiacCoordinate(1e300).lunarMansion(), LunarMansion::batnAlHut);
    EXPECT_EQ(ZodiacCoordinate(std::nan("")).lunarMansion(), LunarMansion::batnAlHut);
}

TEST(ZodiacCoordinate, SignDegreeMinuteSecond) {
    const ZodiacCoordinate start(0.0);
    EXPECT_EQ(start.sign(), Zodiac::aries);
    EXPECT_EQ(start.degree(), 0.0);
    EXPECT_EQ(start.minute(), 0.0);
    EXPECT_EQ(start.second(), 0.0);
    EXPECT_EQ(start.formatted(), "0 Degrees Aries ♈︎ 0' 0''");

    const ZodiacCoordinate taurus(45.5);
    EXPECT_EQ(taurus.sign(), Zodiac::taurus);
    EXPECT_DOUBLE_EQ(taurus.degree(), 15.5);
    EXPECT_DOUBLE_EQ(taurus.minute(), 30.0);
    EXPECT_DOUBLE_EQ(taurus.second(), 0.0);
    EXPECT_EQ(taurus.formatted(), "15 Degrees Taurus ♉︎ 30' 0''");

    EXPECT_EQ(ZodiacCoordinate(100.25).formatted(), "10 Degrees Cancer ♋︎ 15' 0''");
    EXPECT_EQ(ZodiacCoordinate(359.99).sign(), Zodiac::pisces);
    EXPECT_EQ(ZodiacCoordinate(359.99).formatted(), "29 Degrees Pisces ♓︎ 59' 24''");

    // The lower edge of a band belongs to it.
    EXPECT_EQ(ZodiacCoordinate(30.0).sign(), Zodiac::taurus);
    EXPECT_EQ(ZodiacCoordinate(30.0).degree(), 0.0);
    EXPECT_EQ(ZodiacCoordinate(30.0 - 1e-6).sign(), Zodiac::aries);
    EXPECT_EQ(ZodiacCoordinate(30.0 - 1e-6).formatted(), "29 Degrees Aries ♈︎ 59' 59''");
}

TEST(ZodiacCoordinate, OffsetWrapsOnce) {
    EXPECT_EQ(ZodiacCoordinate(10.0, 24.0).value(), 346.0);
    EXPECT_EQ(ZodiacCoordinate(24.0, 24.0).value(), 0.0);
    EXPECT_EQ(ZodiacCoordinate(10.0, 400.0).value(), -30.0);
    EXPECT_EQ(ZodiacCoordinate(23.99999999999999, 24.0).value(), 360.0);
    EXPECT_DOUBLE_EQ(ZodiacCoordinate(10.0, 24.7).value(), 345.3);
    EXPECT_EQ(ZodiacCoordinate(10.0, 24.7).sign(), Zodiac::pisces);

    // South nodes: offset 180, or 180 and an ayanamsha of 24.
    EXPECT_EQ(ZodiacCoordinate(100.0, 180.0).value(), 280.0);
    EXPECT_EQ(ZodiacCoordinate(200.0, 180.0).value(), 20.0);
    EXPECT_EQ(ZodiacCoordinate(100.0, 204.0).value(), 256.0);
    EXPECT_EQ(ZodiacCoordinate(190.0, 204.0).value(), 346.0);
}

// Within the sign, each part keeps the longitude's sign (the remainder of a
// truncated division); the text names the sign the longitude falls in, so it
// counts from the start of that sign.
TEST(ZodiacCoordinate, NegativeValuesKeepTheirSign) {
    const ZodiacCoordinate west(-10.5);
    EXPECT_DOUBLE_EQ(west.degree(), -10.5);
    EXPECT_DOUBLE_EQ(west.minute(), -30.0);
    EXPECT_DOUBLE_EQ(west.second(), 0.0);
    EXPECT_EQ(west.sign(), Zodiac::pisces);
    EXPECT_EQ(west.formatted(), "19 Degrees Pisces ♓︎ 30' 0''");

    const ZodiacCoordinate further(-45.25);
    EXPECT_DOUBLE_EQ(further.degree(), -15.25);
    EXPECT_DOUBLE_EQ(further.minute(), -15.0);
    EXPECT_DOUBLE_EQ(further.second(), 0.0);
    EXPECT_EQ(further.formatted(), "14 Degrees Aquarius ♒︎ 45' 0''");

    // 0.0125 degrees are 45 seconds of arc: -0.0125 is -0.75 minutes, -45 seconds.
    const ZodiacCoordinate small(-0.0125);
    EXPECT_DOUBLE_EQ(small.degree(), -0.0125);
    EXPECT_NEAR(small.minute(), -0.75, 1e-12);
    EXPECT_NEAR(small.second(), -45.0, 1e-9);

    // Beyond the circle the parts are those of the value itself.
    EXPECT_DOUBLE_EQ(ZodiacCoordinate(725.5).degree(), 5.5);
    EXPECT_DOUBLE_EQ(ZodiacCoordinate(725.5).minute(), 30.0);
}

// Values that no position gives, but that must not reach an integer conversion.
TEST(ZodiacCoordinate, OutOfCircleValuesAreSafe) {
    // Rounding in the offset rule can give exactly 360, which is 0 degrees Aries.
    EXPECT_EQ(ZodiacCoordinate(360.0).sign(), Zodiac::aries);
    EXPECT_EQ(ZodiacCoordinate(360.0).formatted(), "0 Degrees Aries ♈︎ 0' 0''");
    EXPECT_EQ(ZodiacCoordinate(-30.0).sign(), Zodiac::pisces);
    EXPECT_EQ(ZodiacCoordinate(-31.0).sign(), Zodiac::aquarius);
    EXPECT_EQ(ZodiacCoordinate(-1e-20).sign(), Zodiac::aries);
    EXPECT_EQ(ZodiacCoordinate(725.0).sign(), Zodiac::aries);
    EXPECT_TRUE(ZodiacCoordinate(1e300).sign().has_value());
    EXPECT_FALSE(ZodiacCoordinate(1e300).formatted().empty());

    for (const double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity()}) {
        const ZodiacCoordinate coordinate(bad);
        EXPECT_EQ(coordinate.sign(), std::nullopt);
        EXPECT_EQ(coordinate.formatted(), "Unknown");
        EXPECT_TRUE(std::isnan(coordinate.degree()));
    }
}
