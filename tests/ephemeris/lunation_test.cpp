// Illuminated fractions from swe_pheno_ut (body 1, flag 256) called directly
// once, in a scratch program, at each instant and an hour before it.

#include "ephemeris/lunation.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace ephemeris;
using ephemeris_test::utc;
using Phase = Lunation::Phase;

TEST(Lunation, PhasesInMarchAndApril2024) {
    struct Case {
        platform::Date date;
        double fraction;
        bool waxing;
        Phase phase;
    };
    const Case cases[] = {
        {utc(2024, 3, 10, 12), 0.00057811958762554738, true, Phase::newMoon},   // new Moon 03:00 that day
        {utc(2024, 3, 14, 12), 0.22745963684899467, true, Phase::waxingCrescent},
        {utc(2024, 3, 17, 12), 0.53476858211353462, true, Phase::waxingGibbous},
        {utc(2024, 3, 25, 12), 0.99957171492847763, false, Phase::full},       // full Moon 07:00 that day
        {utc(2024, 3, 28, 12), 0.90802874712801351, false, Phase::waningGibbous},
        {utc(2024, 4, 5, 12), 0.15219663797009808, false, Phase::waningCrescent},
        {utc(2024, 4, 8, 12), 0.001053351054247309, false, Phase::newMoon},    // the eclipse's new Moon
        {utc(2024, 4, 23, 12), 0.99760776485189873, true, Phase::full},
    };
    for (const auto& c : cases) {
        const auto lunation = Lunation::make(c.date);
        ASSERT_TRUE(lunation) << lunation.error().message;
        EXPECT_EQ(lunation->date(), c.date);
        EXPECT_DOUBLE_EQ(lunation->illuminatedFraction(), c.fraction);
        EXPECT_EQ(lunation->isWaxing(), c.waxing);
        EXPECT_EQ(lunation->phase(), c.phase);
    }
}

TEST(Lunation, PhaseRanges) {
    const auto phase = [](double fraction, bool waxing) { return Lunation({}, fraction, waxing).phase(); };
    EXPECT_EQ(phase(0.005, true), Phase::newMoon);
    EXPECT_EQ(phase(0.01, false), Phase::waningCrescent);
    EXPECT_EQ(phase(0.5, true), Phase::waxingCrescent);
    EXPECT_EQ(phase(0.5000001, false), Phase::waningGibbous);
    EXPECT_EQ(phase(0.98, true), Phase::waxingGibbous);
    EXPECT_EQ(phase(0.98, false), Phase::waningGibbous);
    EXPECT_EQ(phase(0.99, false), Phase::full);
    EXPECT_EQ(phase(1.0, true), Phase::full);
    EXPECT_EQ(phase(1.01, true), Phase::newMoon);
    EXPECT_EQ(phase(std::nan(""), true), Phase::newMoon);
    EXPECT_EQ(fromRawValue<Phase>(6), std::nullopt);
    EXPECT_EQ(fromRawValue<Phase>(0), Phase::newMoon);
}

TEST(Lunation, FailureIsAnError) {
    EXPECT_FALSE(Lunation::make(utc(10000, 1, 1)));
    EXPECT_FALSE(Lunation::make(platform::Date::fromSecondsSince1970(std::nan(""))));
    const auto farPast = Lunation::make(platform::Date::fromSecondsSince1970(-1e200));
    ASSERT_FALSE(farPast);
    EXPECT_NE(farPast.error().message.find("outside the span the ephemeris library covers"), std::string::npos);
}
