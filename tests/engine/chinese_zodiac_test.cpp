// The Chinese animal of a calendar year.

#include "engine/chinese_zodiac.h"

#include <gtest/gtest.h>

#include <limits>

using engine::calculateChineseZodiac;

TEST(ChineseZodiac, FollowsTheCalendarYear) {
    EXPECT_EQ(calculateChineseZodiac(1900), "Rat");
    EXPECT_EQ(calculateChineseZodiac(1911), "Pig");
    EXPECT_EQ(calculateChineseZodiac(2024), "Dragon");
    EXPECT_EQ(calculateChineseZodiac(2025), "Snake");
    EXPECT_EQ(calculateChineseZodiac(1899), "Pig");
    EXPECT_EQ(calculateChineseZodiac(1888), "Rat");
    EXPECT_EQ(calculateChineseZodiac(0), "Monkey");
}

TEST(ChineseZodiac, ExtremeYearsStayInTheCycle) {
    // INT_MIN - 1900 is 12 * -178957129 exactly; INT_MAX - 1900 leaves 3.
    EXPECT_EQ(calculateChineseZodiac(std::numeric_limits<int>::min()), "Rat");
    EXPECT_EQ(calculateChineseZodiac(std::numeric_limits<int>::max()), "Rabbit");
}
