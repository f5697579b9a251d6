// Date and number texts.

#include "dates_test_support.h"

#include "platform/core/date_formatter.h"
#include "platform/core/number_formatter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

using dates_test::utc;
using platform::DateFormatStyle;
using platform::DateFormatter;
using platform::Locale;
using platform::NumberFormatter;
using platform::NumberStyle;
using platform::RoundingMode;

DateFormatter formatter(const char* locale, const char* zone, std::string pattern) {
    DateFormatter f;
    f.setLocale(Locale::withIdentifier(locale));
    f.setTimeZone(dates_test::zone(zone));
    f.setDateFormat(std::move(pattern));
    return f;
}

// ICU 72 writes "Sept" and lower-case "pm" for en_GB, so the English examples of
// the program's texts are checked in en_US_POSIX and en_US, which match them.
TEST(DateFormatterPatterns, EnglishExamples) {
    for (const char* locale : {"en_US_POSIX", "en_US"}) {
        const platform::Date winter = utc(2026, 12, 21, 15, 3, 27);
        EXPECT_EQ(formatter(locale, "UTC", "dd MMM").string(winter), "21 Dec") << locale;
        EXPECT_EQ(formatter(locale, "UTC", "EEE dd MMM yyyy").string(winter), "Mon 21 Dec 2026") << locale;
        EXPECT_EQ(formatter(locale, "UTC", "HH:mm:ss").string(winter), "15:03:27") << locale;
        EXPECT_EQ(formatter(locale, "UTC", "HH:mm").string(winter), "15:03") << locale;
        const platform::Date december = utc(2026, 12, 6, 15, 7, 9);
        EXPECT_EQ(formatter(locale, "UTC", "dd/MM/yy").string(december), "06/12/26") << locale;
        EXPECT_EQ(formatter(locale, "UTC", "d MMM yyyy").string(december), "6 Dec 2026") << locale;
        EXPECT_EQ(formatter(locale, "UTC", "h:mma").string(december), "3:07PM") << locale;
        EXPECT_EQ(formatter(locale, "UTC", "h:mm:ssa").string(december), "3:07:09PM") << locale;
        EXPECT_EQ(formatter(locale, "UTC", "yy").string(december), "26") << locale;
        EXPECT_EQ(formatter(locale, "UTC", "yyyy").string(december), "2026") << locale;
        EXPECT_EQ(formatter(locale, "UTC", "yyyy").string(*platform::Calendar::gregorian(
                                                   platform::TimeZone::utc(), Locale::withIdentifier(locale))
                                                   .date(dates_test::ymdhms(5, 6, 1))),
                  "0005")
            << locale;
        EXPECT_EQ(formatter(locale, "UTC", "MMM").string(utc(2026, 9, 6)), "Sep") << locale;
    }
    EXPECT_EQ(formatter("en_GB", "Europe/London", "EEE dd MMM yyyy").string(utc(2026, 12, 21, 15)),
              "Mon 21 Dec 2026");
}

TEST(DateFormatterPatterns, ZoneDecidesTheLocalDayAndTime) {
    const platform::Date instant = utc(2026, 12, 21, 15, 3, 27);
    EXPECT_EQ(formatter("en_US_POSIX", "Pacific/Kiritimati", "EEE dd MMM HH:mm").string(instant),
              "Tue 22 Dec 05:03");
    EXPECT_EQ(formatter("en_US_POSIX", "America/New_York", "EEE dd MMM HH:mm").string(instant), "Mon 21 Dec 10:03");
    EXPECT_EQ(formatter("en_US_POSIX", "Europe/London", "HH:mm").string(utc(2026, 7, 1, 12)), "13:00");
    // Julian dates before the 1582 switch, as the calendar counts them.
    EXPECT_EQ(formatter("en_US_POSIX", "UTC", "d MMM yyyy").string(utc(1582, 10, 14)), "4 Oct 1582");
}

TEST(DateFormatterPatterns, OtherScriptsComeOutAsUtf8) {
    EXPECT_EQ(formatter("ru_RU", "UTC", "d MMMM").string(utc(2026, 12, 21)), "21 декабря");
}

TEST(DateFormatterStyles, StylesAndPatternsReplaceEachOther) {
    DateFormatter f = formatter("en_GB", "Europe/London", "HH:mm");
    f.setTimeStyle(DateFormatStyle::longStyle);
    EXPECT_EQ(f.string(utc(2026, 12, 21, 15, 3, 27)), "15:03:27 GMT");
    f.setDateStyle(DateFormatStyle::shortStyle);
    EXPECT_EQ(f.string(utc(2026, 12, 21, 15, 3, 27)), "21/12/2026, 15:03:27 GMT");
    f.setDateFormat("yyyy");
    EXPECT_EQ(f.string(utc(2026, 12, 21, 15, 3, 27)), "2026");
    // The US long time style puts a narrow no-break space before PM.
    DateFormatter us = formatter("en_US", "UTC", "");
    us.setTimeStyle(DateFormatStyle::longStyle);
    EXPECT_EQ(us.string(utc(2026, 12, 21, 15, 3, 27)), "3:03:27\u202fPM UTC");
}

TEST(DateFormatterEdges, NothingToWriteGivesEmptyText) {
    DateFormatter plain;
    EXPECT_EQ(plain.string(utc(2026, 1, 1)), "");   // neither pattern nor style
    EXPECT_EQ(formatter("en_GB", "UTC", "").string(utc(2026, 1, 1)), "");
    const DateFormatter f = formatter("en_GB", "UTC", "yyyy");
    EXPECT_EQ(f.string(platform::Date::fromSecondsSince1970(std::nan(""))), "");
    EXPECT_EQ(f.string(platform::Date::fromSecondsSince1970(std::numeric_limits<double>::infinity())), "");
    EXPECT_EQ(formatter("no_such_LOCALE", "UTC", "yyyy").string(utc(2026, 1, 1)), "2026");
}

TEST(DateFormatterDefaults, TakesTheCurrentLocaleAndZone) {
    Locale::setCurrentOverride(Locale::withIdentifier("en_US"));
    platform::TimeZone::setCurrentOverride(dates_test::zone("Asia/Tokyo"));
    DateFormatter f;
    Locale::setCurrentOverride(std::nullopt);
    platform::TimeZone::setCurrentOverride(std::nullopt);
    EXPECT_EQ(f.locale().identifier(), "en_US");
    EXPECT_EQ(f.timeZone().identifier(), "Asia/Tokyo");
    f.setDateFormat("h:mma");
    EXPECT_EQ(f.string(utc(2026, 12, 6, 6, 7, 9)), "3:07PM");
    DateFormatter copy = f;
    DateFormatter moved = std::move(f);
    EXPECT_EQ(copy.string(utc(2026, 12, 6, 6, 7, 9)), "3:07PM");
    EXPECT_EQ(moved.string(utc(2026, 12, 6, 6, 7, 9)), "3:07PM");
}

TEST(DateFormatterMoves, LeaveNoSettingsUntilOneIsSet) {
    const platform::Date instant = utc(2026, 12, 6, 6, 7, 9);
    DateFormatter source = formatter("en_US", "Asia/Tokyo", "h:mma");
    DateFormatter target = formatter("ru_RU", "Europe/Moscow", "yyyy");
    target = std::move(source);
    const DateFormatter built(std::move(target));
    EXPECT_EQ(built.string(instant), "3:07PM");
    DateFormatter copied = target;
    for (const DateFormatter* movedFrom : {&source, &target, &copied}) {
        EXPECT_EQ(movedFrom->string(instant), "");
        EXPECT_FALSE(movedFrom->date("2026"));
        EXPECT_EQ(movedFrom->locale().identifier(), "en_US_POSIX");
        EXPECT_EQ(movedFrom->timeZone().identifier(), "UTC");
    }
    // A setter starts from a new formatter's settings: the current locale and zone.
    Locale::setCurrentOverride(Locale::withIdentifier("en_US"));
    platform::TimeZone::setCurrentOverride(dates_test::zone("Asia/Tokyo"));
    source.setDateFormat("h:mma");
    Locale::setCurrentOverride(std::nullopt);
    platform::TimeZone::setCurrentOverride(std::nullopt);
    EXPECT_EQ(source.string(instant), "3:07PM");
}

NumberFormatter numbers(const char* locale) {
    NumberFormatter f;
    f.setLocale(Locale::withIdentifier(locale));
    return f;
}

TEST(NumberFormatterStyles, NoneIsWholeNumbersHalfToEven) {
    NumberFormatter f = numbers("en_GB");
    EXPECT_EQ(f.string(2026.0), "2026");
    EXPECT_EQ(f.string(std::int64_t{2026}), "2026");
    EXPECT_EQ(f.string(1234567.0), "1234567");
    EXPECT_EQ(f.string(2.5), "2");
    EXPECT_EQ(f.string(3.5), "4");
    EXPECT_EQ(f.string(-7.0), "-7");
    EXPECT_EQ(f.string(std::numeric_limits<std::int64_t>::max()), "9223372036854775807");
}

TEST(NumberFormatterStyles, DecimalWithAFixedGroupingSeparator) {
    for (const char* locale : {"en_GB", "en_US_POSIX"}) {
        NumberFormatter f = numbers(locale);
        f.setNumberStyle(NumberStyle::decimal);
        f.setGroupingSeparator(",");
        f.setMaximumFractionDigits(2);
        EXPECT_EQ(f.string(1234567.891), "1,234,567.89") << locale;
        EXPECT_EQ(f.string(182.62), "182.62") << locale;
        EXPECT_EQ(f.string(93.0), "93") << locale;
    }
    // The separator holds where the locale's decimal separator is a comma too.
    NumberFormatter german = numbers("de_DE");
    german.setNumberStyle(NumberStyle::decimal);
    german.setGroupingSeparator(",");
    german.setMaximumFractionDigits(2);
    EXPECT_EQ(german.string(1234567.891), "1,234,567,89");
    NumberFormatter spanish = numbers("es_ES");
    spanish.setNumberStyle(NumberStyle::decimal);
    spanish.setGroupingSeparator(",");
    EXPECT_EQ(spanish.string(1234.5), "1,234,5");
}

TEST(NumberFormatterStyles, DecimalDefaultsToTheLocale) {
    NumberFormatter f = numbers("en_GB");
    f.setNumberStyle(NumberStyle::decimal);
    EXPECT_EQ(f.string(1234.56789), "1,234.568");
    f.setLocale(Locale::withIdentifier("de_DE"));
    EXPECT_EQ(f.string(1234.56789), "1.234,568");
    f.setUsesGroupingSeparator(false);
    EXPECT_EQ(f.string(1234.56789), "1234,568");
    NumberFormatter coordinates = numbers("en_GB");
    coordinates.setNumberStyle(NumberStyle::decimal);
    coordinates.setMaximumFractionDigits(10);
    EXPECT_EQ(coordinates.string(51.509865), "51.509865");
    EXPECT_EQ(coordinates.string(-0.118092), "-0.118092");
    EXPECT_EQ(coordinates.string(0.0), "0");
}

TEST(NumberFormatterStyles, FractionDigitsAndRoundingModes) {
    NumberFormatter f = numbers("en_GB");
    f.setNumberStyle(NumberStyle::decimal);
    f.setMinimumFractionDigits(2);
    EXPECT_EQ(f.string(5.0), "5.00");
    f.setMaximumFractionDigits(2);
    const struct {
        RoundingMode mode;
        const char* positive;
        const char* negative;
    } cases[] = {
        {RoundingMode::halfEven, "0.12", "-0.12"}, {RoundingMode::halfUp, "0.13", "-0.13"},
        {RoundingMode::halfDown, "0.12", "-0.12"}, {RoundingMode::ceiling, "0.13", "-0.12"},
        {RoundingMode::floor, "0.12", "-0.13"},    {RoundingMode::up, "0.13", "-0.13"},
        {RoundingMode::down, "0.12", "-0.12"},
    };
    for (const auto& c : cases) {
        f.setRoundingMode(c.mode);
        EXPECT_EQ(f.string(0.125), c.positive) << static_cast<int>(c.mode);
        EXPECT_EQ(f.string(-0.125), c.negative) << static_cast<int>(c.mode);
    }
    f.setMaximumFractionDigits(-5);   // nonsense is clamped, not refused
    EXPECT_EQ(f.string(1.6), "1");
}

TEST(NumberFormatterStyles, OrdinalsAndOddValues) {
    NumberFormatter f = numbers("en_GB");
    f.setNumberStyle(NumberStyle::ordinal);
    EXPECT_EQ(f.string(std::int64_t{22}), "22nd");
    EXPECT_EQ(f.string(1.0), "1st");
    EXPECT_FALSE(f.string(std::nan("")));
    NumberFormatter plain = numbers("en_GB");
    EXPECT_EQ(plain.string(std::nan("")), "NaN");
    EXPECT_EQ(plain.string(-std::numeric_limits<double>::infinity()), "-∞");
    NumberFormatter copy = f;
    EXPECT_EQ(copy.string(std::int64_t{3}), "3rd");
}

TEST(NumberFormatterParsing, ReadsWholeNumbersInTheLocale) {
    NumberFormatter f = numbers("en_GB");
    f.setNumberStyle(NumberStyle::decimal);
    f.setMaximumFractionDigits(10);
    EXPECT_EQ(f.number("40.5"), 40.5);
    EXPECT_EQ(f.number("-0.118092"), -0.118092);
    EXPECT_EQ(f.number("1,234.5"), 1234.5);
    EXPECT_EQ(f.number("200"), 200.0);
    EXPECT_FALSE(f.number(""));
    EXPECT_FALSE(f.number("abc"));
    EXPECT_FALSE(f.number("40.5x"));
    EXPECT_FALSE(f.number("\xff\xfe"));
    NumberFormatter german = numbers("de_DE");
    german.setNumberStyle(NumberStyle::decimal);
    EXPECT_EQ(german.number("40,5"), 40.5);
}

} // namespace
