// Runs once per test zone: the search reads the instant alone, so the same
// instants give the same eclipses on a device in any zone. The dates below are
// UTC calendar days, the eclipse instants UTC to the nearest minute: the
// method's dynamical time less the model's delta T (74 s in 2024), so a minute
// or two before that dynamical time read as UTC.
#include "mooncalc/eclipse_calculator.h"
#include "mooncalc_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace mooncalc {
namespace {

using mooncalc_test::utc;
using mooncalc_test::utcMinute;
using Kind = EclipseCalculator::EclipseType;
using Type = Eclipse::EclipseType;

Eclipse previousOf(platform::Date date, Kind kind) { return EclipseCalculator::getEclipseFor(date, kind, false); }
Eclipse nextOf(platform::Date date, Kind kind) { return EclipseCalculator::getEclipseFor(date, kind, true); }

std::string minuteOf(const Eclipse& eclipse) {
    return eclipse.maxPhaseDate ? utcMinute(*eclipse.maxPhaseDate) : "none";
}

TEST(LunarEclipses, PenumbralOfMarch2024HasNoUmbralPhases) {
    const Eclipse e = previousOf(utc(2024, 6, 1), Kind::lunar);
    EXPECT_EQ(minuteOf(e), "2024-03-25 07:11");
    EXPECT_EQ(e.type, Type::lunarPenumbral);
    EXPECT_NEAR(e.phase, 0.952, 0.0005);     // penumbral magnitude, with 1.5572
    EXPECT_NEAR(e.gamma, 1.063, 0.0005);
    EXPECT_NEAR(e.u, 0.0247, 0.00005);
    ASSERT_TRUE(e.rho && e.sigma && e.sdPenumbra && e.sdPartial && e.sdTotal);
    EXPECT_DOUBLE_EQ(*e.rho, 1.2847 + e.u);
    EXPECT_DOUBLE_EQ(*e.sigma, 0.7494 - e.u);
    EXPECT_NEAR(*e.sdPenumbra, 138.7, 0.05);  // minutes, with 1.5573
    EXPECT_TRUE(std::isnan(*e.sdPartial));
    EXPECT_TRUE(std::isnan(*e.sdTotal));
}

TEST(LunarEclipses, PartialOfSeptember2024AndTotalOfMarch2025) {
    const Eclipse partial = nextOf(utc(2024, 6, 1), Kind::lunar);
    EXPECT_EQ(minuteOf(partial), "2024-09-18 02:46");
    EXPECT_EQ(partial.type, Type::lunarUmbralPartial);
    EXPECT_NEAR(partial.phase, 0.077, 0.0005);
    EXPECT_NEAR(partial.sdPenumbra.value_or(0), 122.2, 0.05);
    EXPECT_NEAR(partial.sdPartial.value_or(0), 29.8, 0.05);
    EXPECT_TRUE(std::isnan(partial.sdTotal.value_or(0)));

    const Eclipse total = nextOf(utc(2025, 1, 1), Kind::lunar);
    EXPECT_EQ(minuteOf(total), "2025-03-14 07:01");
    EXPECT_EQ(total.type, Type::lunarUmbralTotal);
    EXPECT_NEAR(total.phase, 1.177, 0.0005);
    EXPECT_NEAR(total.sdPenumbra.value_or(0), 180.0, 0.05);
    EXPECT_NEAR(total.sdPartial.value_or(0), 108.3, 0.05);
    EXPECT_NEAR(total.sdTotal.value_or(0), 32.3, 0.05);
}

TEST(SolarEclipses, AnnularTotalAndPartialWithNoLunarFields) {
    const Eclipse annular = previousOf(utc(2024, 3, 1), Kind::solar);
    EXPECT_EQ(minuteOf(annular), "2023-10-14 17:55");
    EXPECT_EQ(annular.type, Type::solarCentralAnnular);
    EXPECT_NEAR(annular.u, 0.0183, 0.00005);
    EXPECT_EQ(annular.phase, 1.0);

    const Eclipse total = nextOf(utc(2024, 3, 1), Kind::solar);
    EXPECT_EQ(minuteOf(total), "2024-04-08 18:20");
    EXPECT_EQ(total.type, Type::solarCentralTotal);
    EXPECT_NEAR(total.u, -0.0102, 0.00005);
    EXPECT_NEAR(total.gamma, 0.3455, 0.00005);
    EXPECT_EQ(total.phase, 1.0);

    const Eclipse partial = nextOf(utc(2025, 1, 1), Kind::solar);
    EXPECT_EQ(minuteOf(partial), "2025-03-29 10:46");
    EXPECT_EQ(partial.type, Type::solarPartial);
    EXPECT_NEAR(partial.phase, 0.933, 0.0005);

    for (const Eclipse& e : {annular, total, partial}) {
        EXPECT_FALSE(e.rho || e.sigma || e.sdPenumbra || e.sdPartial || e.sdTotal);
        EXPECT_FALSE(e.visibility || e.jdBestVisible || e.phaseLocal || e.jdLocal || e.jdLocalPartialStart ||
                     e.jdLocalPartialEnd);
    }
}

// Near u = 0 the umbral cone's vertex lies close to the Earth's surface: a
// hybrid eclipse while u < 0.00464 sqrt(1 - gamma^2), an annular one from there
// to 0.0047. Beyond a central eclipse, while |gamma| < 0.9972 + |u|, the umbra
// or antumbra still touches the Earth near a pole: non-central, magnitude 1.
// The kinds are those of NASA's catalogue of solar eclipses.
TEST(SolarEclipses, HybridAnnularNearZeroUAndNonCentral) {
    const Eclipse hybrid = nextOf(utc(2023, 4, 1), Kind::solar);
    EXPECT_EQ(minuteOf(hybrid), "2023-04-20 04:22");
    EXPECT_EQ(hybrid.type, Type::solarCentralAnnularTotal);
    EXPECT_GT(hybrid.u, 0.0);
    EXPECT_LT(hybrid.u, 0.00464 * std::sqrt(1 - hybrid.gamma * hybrid.gamma));

    const Eclipse annular = nextOf(utc(2032, 5, 1), Kind::solar);
    EXPECT_EQ(minuteOf(annular), "2032-05-09 13:29");
    EXPECT_EQ(annular.type, Type::solarCentralAnnular);
    EXPECT_GT(annular.u, 0.00464 * std::sqrt(1 - annular.gamma * annular.gamma));
    EXPECT_LT(annular.u, 0.0047);

    const Eclipse nonCentralAnnular = nextOf(utc(2014, 4, 20), Kind::solar);
    EXPECT_EQ(minuteOf(nonCentralAnnular), "2014-04-29 06:08");
    const Eclipse nonCentralTotal = nextOf(utc(2043, 4, 1), Kind::solar);
    EXPECT_EQ(minuteOf(nonCentralTotal), "2043-04-09 18:54");
    for (const Eclipse& e : {nonCentralAnnular, nonCentralTotal}) {
        EXPECT_EQ(e.type, Type::solarNoncentral);
        EXPECT_EQ(e.phase, 1.0);
        EXPECT_GT(std::fabs(e.gamma), 0.9972);
        EXPECT_LT(std::fabs(e.gamma), 0.9972 + std::fabs(e.u));
    }
    EXPECT_GT(nonCentralAnnular.u, 0.0);
    EXPECT_LT(nonCentralTotal.u, 0.0);
}

// The next eclipse never lies before the date and the previous one never at or
// after it: from 26 March to 6 April 2024 the eclipse of 25 March is the
// previous one, and from 19 September the eclipse of the 18th is no longer next.
TEST(EclipseOrder, NextIsAtOrAfterTheDateAndPreviousBeforeIt) {
    for (int day = 26; day <= 37; ++day) {   // 26 March to 6 April
        const platform::Date date = utc(2024, 3, day);
        EXPECT_EQ(minuteOf(previousOf(date, Kind::lunar)), "2024-03-25 07:11") << day;
        EXPECT_EQ(minuteOf(nextOf(date, Kind::lunar)), "2024-09-18 02:46") << day;
    }
    for (int day = 19; day <= 30; ++day) {
        const platform::Date date = utc(2024, 9, day);
        EXPECT_EQ(minuteOf(previousOf(date, Kind::lunar)), "2024-09-18 02:46") << day;
        EXPECT_EQ(minuteOf(nextOf(date, Kind::lunar)), "2025-03-14 07:01") << day;
    }
    // A solar eclipse is never both the previous and the next one.
    EXPECT_EQ(minuteOf(previousOf(utc(2024, 4, 7), Kind::solar)), "2023-10-14 17:55");
    EXPECT_EQ(minuteOf(nextOf(utc(2024, 4, 7), Kind::solar)), "2024-04-08 18:20");
    for (int day = 9; day <= 36; ++day) {   // 9 April to 6 May
        EXPECT_EQ(minuteOf(previousOf(utc(2024, 4, day), Kind::solar)), "2024-04-08 18:20") << day;
        EXPECT_EQ(minuteOf(nextOf(utc(2024, 4, day), Kind::solar)), "2024-10-02 18:45") << day;
    }
}

TEST(EclipseOrder, EveryDayOfADecadeLiesBetweenItsTwoEclipsesWithNoneBetween) {
    for (Kind kind : {Kind::lunar, Kind::solar}) {
        for (double day = 0; day < 3653; day += 1.25) {   // from 2020, at every quarter of the day in turn
            const platform::Date date = utc(2020, 1, 1).addingTimeInterval(day * 86400.0);
            const Eclipse previous = previousOf(date, kind);
            const Eclipse next = nextOf(date, kind);
            ASSERT_TRUE(previous.maxPhaseDate && next.maxPhaseDate) << day;
            ASSERT_LT(*previous.maxPhaseDate, date) << day;
            ASSERT_GE(*next.maxPhaseDate, date) << day;
            // The next eclipse after the previous one is this next one.
            const Eclipse following = nextOf(previous.maxPhaseDate->addingTimeInterval(1.0), kind);
            ASSERT_EQ(following.maxPhaseDate, next.maxPhaseDate) << day;
            // Never more than six lunations apart.
            ASSERT_LT(next.maxPhaseDate->timeIntervalSince(*previous.maxPhaseDate), 6.1 * 29.53 * 86400) << day;
        }
    }
}

TEST(EclipseOrder, AtTheInstantOfGreatestEclipseItIsTheNextOne) {
    const platform::Date greatest = *nextOf(utc(2024, 6, 1), Kind::lunar).maxPhaseDate;
    EXPECT_EQ(nextOf(greatest, Kind::lunar).maxPhaseDate, greatest);
    EXPECT_EQ(minuteOf(previousOf(greatest, Kind::lunar)), "2024-03-25 07:11");
    EXPECT_EQ(previousOf(greatest.addingTimeInterval(0.001), Kind::lunar).maxPhaseDate, greatest);
}

TEST(EclipseSearch, InstantsOutsideItsRangeFindNothing) {
    constexpr double infinity = std::numeric_limits<double>::infinity();
    const platform::Date nowhere[] = {
        platform::Date::fromSecondsSince1970(std::numeric_limits<double>::quiet_NaN()),
        platform::Date::fromSecondsSince1970(infinity),
        platform::Date::fromSecondsSince1970(-infinity),
        platform::Date::fromSecondsSince1970(1e300),
        utc(22000, 1, 1),   // beyond 20,000 years of 1900
        utc(-18200, 1, 1),
    };
    for (const platform::Date date : nowhere) {
        for (Kind kind : {Kind::lunar, Kind::solar}) {
            for (bool next : {false, true}) {
                const Eclipse e = EclipseCalculator::getEclipseFor(date, kind, next);
                EXPECT_FALSE(e.maxPhaseDate) << date.secondsSince1970();
                EXPECT_EQ(e.type, Type::undefined);
                EXPECT_EQ(e.phase, 0.0);
                EXPECT_FALSE(e.rho);
            }
        }
    }
    // Well inside the range the search still answers.
    EXPECT_TRUE(nextOf(utc(21850, 1, 1), Kind::lunar).maxPhaseDate);
    EXPECT_TRUE(previousOf(utc(-18000, 1, 1), Kind::solar).maxPhaseDate);
}

TEST(EclipseSearch, KindsByRawValue) {
    EXPECT_EQ(EclipseCalculator::eclipseTypeFromRawValue(0), Kind::solar);
    EXPECT_EQ(EclipseCalculator::eclipseTypeFromRawValue(1), Kind::lunar);
    EXPECT_FALSE(EclipseCalculator::eclipseTypeFromRawValue(2));
    EXPECT_FALSE(EclipseCalculator::eclipseTypeFromRawValue(-1));
}

} // namespace
} // namespace mooncalc
