// The shared number formatter is made once, with the locale of its first use:
// here a locale whose decimal separator is a comma. The grouping stays ",".

#include "engine/number_texts.h"
#include "platform/core/locale.h"

#include <gtest/gtest.h>

TEST(NumberTexts, GroupingStaysACommaWhereTheDecimalSeparatorIsOne) {
    platform::Locale::setCurrentOverride(platform::Locale::withIdentifier("de_DE"));
    EXPECT_EQ(engine::formattedWithSeparator(1234567.891), "1,234,567,89");
    EXPECT_EQ(engine::formattedNoSeparator(2026), "2026");
    platform::Locale::setCurrentOverride(std::nullopt);
    // Made once: a later change of locale does not reach it.
    EXPECT_EQ(engine::formattedWithSeparator(0.5), "0,5");
}
