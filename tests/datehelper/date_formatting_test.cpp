// Writing dates: the shared formatters, styles, ordinal days and Russian names.

#include "datehelper/date_arithmetic.h"
#include "datehelper/date_formatting.h"
#include "datehelper/internal/formatter_cache.h"
#include "toolkit_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

using namespace datehelper;
using datehelper_test::DeviceZone;
using datehelper_test::local;
using datehelper_test::utc;
using platform::Date;
using platform::DateFormatStyle;
using platform::Locale;

TEST(Formatting, PatternsInTheZoneAndLocaleGiven) {
    const Date instant = utc(2024, 3, 9, 16, 5, 7.25);
    const Locale english = Locale::withIdentifier("en_US_POSIX");
    EXPECT_EQ(toString(instant, DateFormatType::isoDateTimeMilliSec(), TimeZoneType::utc(), english),
              "2024-03-09T16:05:07.250+0000");
    EXPECT_EQ(toString(instant, DateFormatType::rss(), TimeZoneType::custom(3600), english),
              "Sat, 9 Mar 2024 17:05:07 +0100");
    EXPECT_EQ(toString(instant, DateFormatType::httpHeader(), TimeZoneType::utc(), english),
              "Sat, 09 03 2024 16:05:07 +0000");
    EXPECT_EQ(toString(instant, DateFormatType::standard(), TimeZoneType::utc(), english),
              "Sat Mar 09 16:05:07 +0000 2024");
    // The default locale is Russian and the default zone the device's.
    DeviceZone moscow("Europe/Moscow");
    EXPECT_EQ(toString(instant, DateFormatType::rss()), "сб, 9 мар. 2024 19:05:07 +0300");
    EXPECT_EQ(toString(Date::fromSecondsSince1970(1e300), DateFormatType::isoDate()), "");
}

TEST(Formatting, EachFormatterIsBuiltOnce) {
    detail::forgetCachedFormatters();   // whatever earlier tests left must not fill the cache mid-test
    const Date instant = utc(2024, 3, 9);
    const auto& zone = platform::TimeZone::utc();
    const Locale finnish = Locale::withIdentifier("fi_FI");   // no other test uses it
    const std::size_t before = detail::cachedFormatterCount();
    const auto* first = detail::patternFormatter("yyyy", zone, finnish).get();
    EXPECT_EQ(detail::patternFormatter("yyyy", zone, finnish).get(), first);
    EXPECT_EQ(detail::cachedFormatterCount(), before + 1);
    // custom("yyyy") and isoYear have one pattern, so one formatter.
    EXPECT_EQ(toString(instant, DateFormatType::custom("yyyy"), TimeZoneType::utc(), finnish), "2024");
    EXPECT_EQ(toString(instant, DateFormatType::isoYear(), TimeZoneType::utc(), finnish), "2024");
    EXPECT_EQ(detail::cachedFormatterCount(), before + 1);
    // Another locale, zone or pattern is another formatter; keys that would
    // run together as concatenated texts stay apart.
    EXPECT_NE(detail::patternFormatter("yyyy", zone, Locale::withIdentifier("fi")).get(), first);
    EXPECT_NE(detail::patternFormatter("yyyy", *platform::TimeZone::withSecondsFromGMT(3600), finnish).get(), first);
    EXPECT_NE(detail::patternFormatter("yyy", zone, Locale::withIdentifier("yfi_FI")).get(),
              detail::patternFormatter("yyyy", zone, Locale::withIdentifier("fi_FI")).get());
    EXPECT_EQ(detail::cachedFormatterCount(), before + 4);
    const auto* styled = detail::styleFormatter(DateFormatStyle::shortStyle, DateFormatStyle::none, true, zone, finnish).get();
    EXPECT_EQ(detail::styleFormatter(DateFormatStyle::shortStyle, DateFormatStyle::none, true, zone, finnish).get(), styled);
    EXPECT_NE(detail::styleFormatter(DateFormatStyle::shortStyle, DateFormatStyle::none, false, zone, finnish).get(), styled);
}

TEST(Formatting, CustomPatternsAndZonesDoNotGrowTheCacheBeyondItsLimit) {
    detail::forgetCachedFormatters();
    const Date instant = utc(2024, 3, 9);
    const Locale english = Locale::withIdentifier("en_US_POSIX");
    const detail::SharedFormatter held = detail::patternFormatter("'held' yyyy", platform::TimeZone::utc(), english);
    const std::size_t many = 3 * detail::cachedFormatterLimit;
    for (std::size_t i = 0; i < many; ++i) {
        // Each quoted literal is a pattern of its own, as a caller's custom text would be.
        EXPECT_EQ(toString(instant, DateFormatType::custom("'" + std::to_string(i) + "' yyyy"), TimeZoneType::utc(),
                           english),
                  std::to_string(i) + " 2024");
        const auto zone = platform::TimeZone::withSecondsFromGMT(static_cast<int>(i) * 60);
        ASSERT_TRUE(zone);
        EXPECT_FALSE(
            toString(instant, DateFormatStyle::shortStyle, DateFormatStyle::none, false, *zone, english).empty());
        EXPECT_LE(detail::cachedFormatterCount(), 2 * detail::cachedFormatterLimit);
    }
    // A formatter a caller still holds outlives the cache starting again.
    EXPECT_EQ(held->string(instant), "held 2024");
}

TEST(Formatting, OrdinalLocalesDoNotGrowTheCacheBeyondItsLimit) {
    detail::forgetCachedFormatters();
    const Date fifteenth = local(2024, 3, 15, 12);
    Locale::setCurrentOverride(Locale::withIdentifier("en_GB"));
    const detail::SharedOrdinalFormatter held = detail::ordinalFormatter();
    for (std::size_t i = 0; i < 3 * detail::cachedFormatterLimit; ++i) {
        // Locale names come from the environment; each unknown variant is a key of its own.
        Locale::setCurrentOverride(Locale::withIdentifier("en_GB_X" + std::to_string(i)));
        EXPECT_EQ(toString(fifteenth, DateStyleType::ordinalDay), "15th");
        EXPECT_LE(detail::cachedFormatterCount(), detail::cachedFormatterLimit);
    }
    Locale::setCurrentOverride(std::nullopt);
    EXPECT_EQ(held->string(std::int64_t{22}), "22nd");
}

TEST(Formatting, StylesAndRelativeDayNames) {
    DeviceZone utcDevice("UTC");
    const Date instant = utc(2024, 3, 9, 16, 5, 7);
    const Locale english = Locale::withIdentifier("en_US");
    EXPECT_EQ(toString(instant, DateFormatStyle::medium, DateFormatStyle::none, false, platform::TimeZone::utc(), english),
              "Mar 9, 2024");
    const Date noonToday = datehelper_test::utc(1970, 1, 1).addingTimeInterval(
        std::floor(Date::now().secondsSince1970() / 86400) * 86400 + 43200);
    EXPECT_EQ(toString(noonToday, DateFormatStyle::medium, DateFormatStyle::none, true, platform::TimeZone::utc(), english),
              "today");
    EXPECT_EQ(toString(noonToday.addingTimeInterval(-86400), DateFormatStyle::longStyle, DateFormatStyle::none, true,
                       platform::TimeZone::utc()),
              "вчера");
    // The four display styles are the same date and time styles, in Russian.
    EXPECT_EQ(toString(instant, DateStyleType::shortStyle),
              toString(instant, DateFormatStyle::shortStyle, DateFormatStyle::shortStyle, false));
    EXPECT_EQ(toString(instant, DateStyleType::medium), "9 мар. 2024\u202fг., 16:05:07");   // ICU 72: narrow no-break space
    EXPECT_EQ(toString(instant, DateStyleType::full),
              toString(instant, DateFormatStyle::full, DateFormatStyle::full, false, platform::TimeZone::utc()));
    EXPECT_NE(toString(instant, DateStyleType::longStyle), toString(instant, DateStyleType::full));
}

TEST(Formatting, RelativeDayNamesByTheDaysOfTheDeviceZone) {
    // A minute into today and a minute before its end, in the zone the test
    // runs in: today both, though in UTC one of them may lie on another day.
    const platform::Calendar device = calendar(platform::TimeZone::current());
    const Date start = device.startOfDay(Date::now());
    auto dayName = [&](double seconds) {
        return toString(start.addingTimeInterval(seconds), DateFormatStyle::medium, DateFormatStyle::none, true);
    };
    const std::string early = dayName(60);
    const std::string late = dayName(86340);
    const std::string before = dayName(-60);
    if (device.startOfDay(Date::now()) != start) GTEST_SKIP() << "midnight passed during the test";
    EXPECT_EQ(early, "сегодня");
    EXPECT_EQ(late, "сегодня");
    EXPECT_EQ(before, "вчера");
}

TEST(Formatting, OrdinalDayFollowsTheUsersLocale) {
    const Date fifteenth = local(2024, 3, 15, 12);
    Locale::setCurrentOverride(Locale::withIdentifier("en_GB"));
    EXPECT_EQ(toString(fifteenth, DateStyleType::ordinalDay), "15th");
    EXPECT_EQ(toString(local(2024, 3, 22, 12), DateStyleType::ordinalDay), "22nd");
    Locale::setCurrentOverride(Locale::withIdentifier("ru_RU"));
    EXPECT_EQ(toString(fifteenth, DateStyleType::ordinalDay), "15.");
    Locale::setCurrentOverride(std::nullopt);
    EXPECT_EQ(toString(Date::fromSecondsSince1970(std::nan("")), DateStyleType::ordinalDay), "");
}

TEST(Formatting, NamesAreRussianWhateverTheUsersLocale) {
    Locale::setCurrentOverride(Locale::withIdentifier("en_GB"));
    const Date friday = local(2024, 3, 15, 12);
    EXPECT_EQ(toString(friday, DateStyleType::weekday), "пятница");
    EXPECT_EQ(toString(friday, DateStyleType::shortWeekday), "пт");
    EXPECT_EQ(toString(friday, DateStyleType::veryShortWeekday), "П");
    EXPECT_EQ(toString(friday, DateStyleType::month), "марта");
    EXPECT_EQ(toString(friday, DateStyleType::shortMonth), "мар.");
    EXPECT_EQ(toString(friday, DateStyleType::veryShortMonth), "М");
    EXPECT_EQ(toString(local(2024, 3, 17, 12), DateStyleType::weekday), "воскресенье");   // first in the list
    EXPECT_EQ(toString(local(2024, 12, 1, 12), DateStyleType::month), "декабря");        // last in the list
    EXPECT_EQ(toString(Date::fromSecondsSince1970(1e300), DateStyleType::weekday), "");
    Locale::setCurrentOverride(std::nullopt);
}
