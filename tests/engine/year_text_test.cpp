// A year or a date of the era before the present one carries the era's name,
// as each language places and words it; the year reads as the date writes it.

#include "engine/year_text.h"

#include "platform/core/locale.h"

#include <gtest/gtest.h>

namespace {

using platform::Locale;

TEST(YearText, TheEraIsWrittenAsTheLocaleWritesIt) {
    // 15 March 44 BC, a Wednesday, at noon UTC: Julian day 1705426.0.
    const platform::Date idesOfMarch = platform::Date::fromSecondsSince1970((1705426.0 - 2440587.5) * 86400.0);
    struct Case {
        const char* locale;
        const char* year;
        const char* date;
    };
    for (const Case& c : {Case{"en_GB", "44 BC", "Wednesday, 15 March 44 BC"},
                          // a narrow no-break space before "г."
                          Case{"ru_RU", "44\u202Fг. до н. э.", "среда, 15 марта 44\u202Fг. до н. э."},
                          // the day and month come between the era and the year
                          Case{"tr_TR", "MÖ 44", "MÖ 15 Mart 44 Çarşamba"}}) {
        Locale::setCurrentOverride(Locale::withIdentifier(c.locale));
        EXPECT_EQ(engine::yearText(-43), c.year) << c.locale;
        EXPECT_EQ(engine::fullDateText(idesOfMarch), c.date) << c.locale;
        EXPECT_EQ(engine::yearText(2026), "2026") << c.locale;
    }
    Locale::setCurrentOverride(std::nullopt);
}

} // namespace
