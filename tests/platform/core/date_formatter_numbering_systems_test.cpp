// Dates read in every decimal numbering system ICU knows, chosen with
// "@numbers=": ICU's date parser reads a number field with the digits of the
// formatter's numbering system, and Chinese ones (〇一二三四五六七八九) are no
// decimal digits of Unicode. Hostile texts in each system's digits are no date
// and stop nothing, and what each system writes reads back as the same instant
// or, where ICU 72 itself misreads it, as none.

#include "dates_test_support.h"

#include "platform/core/date_formatter.h"
#include "support/child_process.h"

#include <gtest/gtest.h>
#include <unicode/dcfmtsym.h>
#include <unicode/numsys.h>
#include <unicode/strenum.h>
#include <unicode/uchar.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace {

using dates_test::utc;
using dates_test::utf8;
using platform::Date;
using platform::DateFormatStyle;
using platform::DateFormatter;

struct NumberingSystem {
    std::string name;
    std::array<std::string, 10> digits;   // UTF-8, 0 to 9
    bool allDecimalDigits = true;         // every digit is Nd
    bool beyondTheBmp = false;            // the digits are surrogate pairs in UTF-16

    std::string written(const std::string& asciiDigits) const {
        std::string out;
        for (char c : asciiDigits) out += c >= '0' && c <= '9' ? digits[static_cast<std::size_t>(c - '0')] : std::string(1, c);
        return out;
    }
};

// Every numbering system ICU lists that writes decimal digits; the
// algorithmic ones (roman, hanidays...) write no digits to count.
std::vector<NumberingSystem> decimalNumberingSystems() {
    std::vector<NumberingSystem> systems;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::StringEnumeration> names(icu::NumberingSystem::getAvailableNames(status));
    EXPECT_TRUE(U_SUCCESS(status));
    if (!names) return systems;
    while (const char* name = names->next(nullptr, status)) {
        std::unique_ptr<icu::NumberingSystem> system(icu::NumberingSystem::createInstanceByName(name, status));
        if (!system || system->isAlgorithmic() || system->getRadix() != 10) continue;
        const icu::UnicodeString description = system->getDescription();
        NumberingSystem entry{name, {}, true, false};
        std::size_t digit = 0;
        for (int32_t i = 0; i < description.length() && digit < 10; i = description.moveIndex32(i, 1), ++digit) {
            const UChar32 c = description.char32At(i);
            entry.digits[digit] = utf8(icu::UnicodeString(c));
            entry.allDecimalDigits = entry.allDecimalDigits && u_isdigit(c);
            entry.beyondTheBmp = entry.beyondTheBmp || c > 0xFFFF;
        }
        EXPECT_EQ(digit, 10u) << name;
        systems.push_back(std::move(entry));
    }
    return systems;
}

std::string exponentSymbolOf(const std::string& locale) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::DecimalFormatSymbols symbols(icu::Locale(locale.c_str()), status);
    return utf8(symbols.getSymbol(icu::DecimalFormatSymbols::kExponentialSymbol));
}

DateFormatter formatterIn(const std::string& locale, const char* pattern, bool lenient) {
    return dates_test::patternFormatter(pattern, "UTC", locale.c_str(), lenient);
}

constexpr const char* isoWithMilliseconds = "yyyy-MM-dd'T'HH:mm:ss.SSSZ";

// A fraction of a second of 40 digits, every tenth one the system's eight: 36
// of them Latin and so counted by ICU, which then divides by zero.
std::string crashingFraction(const NumberingSystem& system) {
    std::string fraction;
    for (int i = 0; i < 4; ++i) fraction += "888888888" + system.digits[8];
    return fraction;
}

// The texts of `system`, in `locale`, that hold a number ICU must not read: a
// fraction of a second that ICU 72 divides by zero reading, exponents in the
// system's digits, and runs of its digits longer than any field.
std::vector<std::string> hostileTexts(const NumberingSystem& system, const std::string& locale) {
    const std::string& eight = system.digits[8];
    const std::string& nine = system.digits[9];
    const std::string exponent = exponentSymbolOf(locale);
    std::string nineNines;
    for (int i = 0; i < 9; ++i) nineNines += nine;
    std::string fortyEights;
    for (int i = 0; i < 40; ++i) fortyEights += eight;
    std::vector<std::string> fractions = {crashingFraction(system), eight + "E" + nine,     eight + "e" + nine,
                                          eight + exponent + nine,  eight + "E" + nineNines, eight + "E-" + nine,
                                          eight + exponent + "-" + nine, fortyEights};
    std::vector<std::string> texts;
    for (const std::string& fraction : fractions) {
        texts.push_back("2024-03-09T16:05:07." + fraction + "+0000");
        // The whole date in the system's digits, too.
        texts.push_back(system.written("2024-03-09T16:05:07.") + fraction + "+0000");
    }
    return texts;
}

// Each text is read by lenient and strict formatters in a child process, so that
// a division by zero inside ICU fails the test rather than ending it. The child
// names every text that read as a date.
void expectNoDateInAChild(const std::vector<std::pair<std::string, std::vector<std::string>>>& textsByLocale) {
    const testsupport::ChildRun run = testsupport::runInChild([&] {
        std::string read;
        for (const auto& [locale, texts] : textsByLocale) {
            for (bool lenient : {true, false}) {
                const DateFormatter f = formatterIn(locale, isoWithMilliseconds, lenient);
                for (const std::string& text : texts) {
                    if (f.date(text)) read += locale + (lenient ? " lenient: " : " strict: ") + text + '\n';
                }
            }
        }
        return read;
    });
    ASSERT_GT(run.pid, 0);
    ASSERT_TRUE(WIFEXITED(run.status)) << "stopped by signal " << (WIFSIGNALED(run.status) ? WTERMSIG(run.status) : 0);
    EXPECT_EQ(run.output, "");
}

TEST(DateFormatterNumberingSystems, EveryDecimalSystemIsListed) {
    // The Chinese system is among them, and is the one whose digits are not Nd.
    int withOtherDigits = 0;
    for (const NumberingSystem& system : decimalNumberingSystems()) withOtherDigits += !system.allDecimalDigits;
    EXPECT_EQ(withOtherDigits, 1);
    EXPECT_GE(decimalNumberingSystems().size(), 60u);
}

TEST(DateFormatterNumberingSystems, HostileNumbersInEverySystemAreNoDate) {
    std::vector<std::pair<std::string, std::vector<std::string>>> textsByLocale;
    for (const NumberingSystem& system : decimalNumberingSystems()) {
        for (const char* language : {"en", "zh"}) {
            const std::string locale = std::string(language) + "@numbers=" + system.name;
            textsByLocale.emplace_back(locale, hostileTexts(system, locale));
        }
    }
    expectNoDateInAChild(textsByLocale);
}

// The ways of asking for the Chinese digits that stopped the process.
TEST(DateFormatterNumberingSystems, ChineseDigitsAreCountedAsDigits) {
    NumberingSystem chinese;
    for (const NumberingSystem& system : decimalNumberingSystems()) {
        if (system.name == "hanidec") chinese = system;
    }
    ASSERT_EQ(chinese.digits[8], "八");
    std::vector<std::pair<std::string, std::vector<std::string>>> textsByLocale;
    for (const char* locale : {"zh@numbers=native", "zh-u-nu-hanidec", "zh@numbers=hanidec", "yue@numbers=native",
                               "zh_Hant@numbers=native"}) {
        std::vector<std::string> texts = hostileTexts(chinese, locale);
        texts.push_back("2024-03-09T16:05:07.八E999999999+0000");
        std::string megabyte = "2024-03-09T16:05:07.";
        while (megabyte.size() < 1'000'000) megabyte += "八";
        texts.push_back(megabyte + "+0000");
        textsByLocale.emplace_back(locale, std::move(texts));
    }
    expectNoDateInAChild(textsByLocale);

    for (bool lenient : {true, false}) {
        const DateFormatter f = formatterIn("zh@numbers=hanidec", isoWithMilliseconds, lenient);
        // ICU 72 counts the digits of a fraction by Nd alone: it read this as
        // 250 seconds, 16:09:17. Not being able to read it right, the guard refuses it.
        EXPECT_FALSE(f.date("二〇二四-〇三-〇九T一六:〇五:〇七.二五〇+0000")) << lenient;
        // Latin digits are read as everywhere.
        EXPECT_EQ(f.date("2024-03-09T16:05:07.250+0000"), utc(2024, 3, 9, 16, 5, 7.25)) << lenient;
        // Without a fraction, the Chinese digits read as they are written.
        EXPECT_EQ(formatterIn("zh@numbers=hanidec", "yyyy-MM-dd HH:mm:ss", lenient).date("二〇二四-〇三-〇九 一六:〇五:〇七"),
                  utc(2024, 3, 9, 16, 5, 7))
            << lenient;
    }
}

// Digits beyond the BMP take two UTF-16 units each; a run is counted by
// characters, so nine of them still make a fraction.
TEST(DateFormatterNumberingSystems, DigitsAreCountedByCharacter) {
    for (bool lenient : {true, false}) {
        const DateFormatter f = formatterIn("en@numbers=mathbold", isoWithMilliseconds, lenient);
        EXPECT_EQ(f.date("2024-03-09T16:05:07.𝟓𝟓𝟓𝟓𝟓𝟓𝟓𝟓𝟓+0000"), utc(2024, 3, 9, 16, 5, 7.555)) << lenient;
        EXPECT_FALSE(f.date("2024-03-09T16:05:07.𝟓𝟓𝟓𝟓𝟓𝟓𝟓𝟓𝟓𝟓+0000")) << lenient;
    }
}

struct WrittenCase {
    const char* pattern;   // nullptr: the locale's styles below
    DateFormatStyle dateStyle;
    DateFormatStyle timeStyle;
    bool relative;
    Date expected;         // what the text written for `instant` holds
    bool misreadInOtherDigits;   // a fraction of a second or a two-digit year
    bool abuts;                  // number fields with no text between them
};

TEST(DateFormatterNumberingSystems, WhatEachSystemWritesReadsBackOrIsRefused) {
    const Date instant = utc(2024, 3, 9, 16, 5, 7.25);
    const Date toTheSecond = utc(2024, 3, 9, 16, 5, 7);
    const Date toTheMinute = utc(2024, 3, 9, 16, 5);
    const std::vector<WrittenCase> cases = {
        {isoWithMilliseconds, {}, {}, false, instant, true, false},
        {"EEE, dd MMM yyyy HH:mm:ss.SSS ZZZZ G", {}, {}, false, instant, true, false},
        {"d MMM y HH:mm:ss.S", {}, {}, false, utc(2024, 3, 9, 16, 5, 7.2), true, false},
        {"yyyy-MM-dd HH:mm:ss", {}, {}, false, toTheSecond, false, false},
        {"dd.MM.yy HH:mm", {}, {}, false, toTheMinute, true, false},
        {"yyMMddHHmmss", {}, {}, false, toTheSecond, true, true},
        {"YYYY-'W'ww-e HH:mm:ss", {}, {}, false, toTheSecond, false, false},
        {"YY-'W'ww-e HH:mm:ss", {}, {}, false, toTheSecond, true, false},
        {"D/y hh:mm:ss a", {}, {}, false, toTheSecond, false, false},
        {"d.M.y k:m:s.SS", {}, {}, false, instant, true, false},
        {nullptr, DateFormatStyle::full, DateFormatStyle::medium, false, toTheSecond, false, false},
        {nullptr, DateFormatStyle::shortStyle, DateFormatStyle::shortStyle, false, toTheMinute, true, false},
        {nullptr, DateFormatStyle::longStyle, DateFormatStyle::full, false, toTheSecond, false, false},
        // English writes a relative day's date "3/9/24" far from today.
        {nullptr, DateFormatStyle::shortStyle, DateFormatStyle::medium, true, toTheSecond, true, false},
        {nullptr, DateFormatStyle::medium, DateFormatStyle::none, true, utc(2024, 3, 9), false, false},
    };
    for (const NumberingSystem& system : decimalNumberingSystems()) {
        for (const char* language : {"en", "zh"}) {
            const std::string locale = std::string(language) + "@numbers=" + system.name;
            for (const WrittenCase& c : cases) {
                for (bool lenient : {true, false}) {
                    DateFormatter f = formatterIn(locale, c.pattern ? c.pattern : "", lenient);
                    if (!c.pattern) {
                        f.setDateStyle(c.dateStyle);
                        f.setTimeStyle(c.timeStyle);
                        f.setDoesRelativeDateFormatting(c.relative);
                    }
                    const std::string text = f.string(instant);
                    const auto read = f.date(text);
                    const std::string context = locale + ' ' + (c.pattern ? c.pattern : "styles") + ' ' + text +
                                                (lenient ? " lenient" : " strict");
                    if (read) {
                        EXPECT_EQ(*read, c.expected) << context;
                    }
                    // ICU reads a fraction of a second and a two-digit year in
                    // Chinese digits wrongly, and abutting fields by UTF-16
                    // units: the rest it reads.
                    const bool icuReadsIt =
                        !(c.misreadInOtherDigits && !system.allDecimalDigits) && !(c.abuts && system.beyondTheBmp);
                    if (icuReadsIt) {
                        EXPECT_TRUE(read.has_value()) << context;
                    }
                }
            }
        }
    }
}

} // namespace
