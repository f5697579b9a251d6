// Date texts of every locale ICU knows that hold a locale's not-a-number word
// or infinity symbol in a name: zone names ("Fernando de Noronha Standard
// Time" holds English "NaN"), day periods (Filipino "nang umaga") and relative
// day names (Māori "inanahi"). The guard before ICU's parser lets ICU read
// each of them as ICU reads it alone, and still refuses such a word where a
// number field is read.

#include "dates_test_support.h"

#include "platform/core/date.h"
#include "platform/core/date_formatter.h"
#include "platform/core/system_calls.h"

#include <gtest/gtest.h>
#include <unicode/datefmt.h>
#include <unicode/dcfmtsym.h>
#include <unicode/smpdtfmt.h>
#include <unicode/strenum.h>
#include <unicode/timezone.h>
#include <unicode/tzfmt.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using dates_test::utf8;
using platform::Date;
using platform::DateFormatStyle;
using platform::DateFormatter;

icu::Locale gregorian(const icu::Locale& locale) {
    icu::Locale out = locale;
    UErrorCode status = U_ZERO_ERROR;
    out.setKeywordValue("calendar", "gregorian", status);
    return out;
}

// The words ICU's number reader takes for a number in `locale`: its
// not-a-number word, its infinity symbol and the infinity sign.
std::vector<icu::UnicodeString> numberWordsOf(const icu::Locale& locale) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::DecimalFormatSymbols symbols(gregorian(locale), status);
    std::vector<icu::UnicodeString> words = {icu::UnicodeString(u"\u221E")};
    for (auto symbol : {icu::DecimalFormatSymbols::kNaNSymbol, icu::DecimalFormatSymbols::kInfinitySymbol}) {
        const icu::UnicodeString& word = symbols.getSymbol(symbol);
        if (!word.isEmpty() && std::find(words.begin(), words.end(), word) == words.end()) words.push_back(word);
    }
    return words;
}

bool holdsAWord(const icu::UnicodeString& text, const std::vector<icu::UnicodeString>& words) {
    const icu::UnicodeString folded = icu::UnicodeString(text).foldCase();
    return std::any_of(words.begin(), words.end(),
                       [&](const icu::UnicodeString& word) { return folded.indexOf(icu::UnicodeString(word).foldCase()) >= 0; });
}

// ICU's own reading of the whole text, without the guard: what the program
// read before the guard was put in front of it.
std::optional<Date> icuAlone(icu::DateFormat& format, const icu::UnicodeString& text, bool lenient) {
    format.setLenient(lenient);
    icu::ParsePosition position(0);
    const UDate millis = format.parse(text, position);
    if (position.getErrorIndex() >= 0 || position.getIndex() != text.length()) return std::nullopt;
    return Date::fromSecondsSince1970(millis / 1000.0);
}

std::string describe(const std::optional<Date>& date) {
    return date ? std::to_string(date->secondsSince1970()) : std::string("none");
}

// A private-use character that stands for the number field the words replace.
const std::string placeholder = "\uE000";

std::string replaced(std::string text, const std::string& what, const std::string& by) {
    const std::size_t at = text.rfind(what);
    if (at != std::string::npos) text.replace(at, what.size(), by);
    return text;
}

// What one locale's texts showed: every difference from ICU alone, and each
// word in a number field that was read.
struct Findings {
    std::string faults;
    long textsWithAWord = 0;
    long textsCompared = 0;
    long wordsInNumberFields = 0;
};

// ICU's formatter of `pattern` in `locale`, in UTC, without the guard.
std::unique_ptr<icu::SimpleDateFormat> icuFormatter(const char* pattern, const icu::Locale& locale) {
    UErrorCode status = U_ZERO_ERROR;
    auto format = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString(pattern), gregorian(locale), status);
    format->setTimeZone(*icu::TimeZone::getGMT());
    return format;
}

std::string formatted(icu::SimpleDateFormat& format, UDate millis) {
    icu::UnicodeString text;
    format.format(millis, text);
    return utf8(text);
}

// Reads `text` through `pattern` in `locale`, strictly and leniently, with the
// guard and with ICU alone (`alone`, of the same pattern), and notes any
// difference.
void compare(const char* pattern, const icu::Locale& locale, icu::SimpleDateFormat& alone, const std::string& text,
             Findings& findings) {
    for (bool lenient : {false, true}) {
        const DateFormatter guarded = dates_test::patternFormatter(pattern, "UTC", locale.getName(), lenient);
        const auto expected = icuAlone(alone, icu::UnicodeString::fromUTF8(text), lenient);
        const auto read = guarded.date(text);
        ++findings.textsCompared;
        if (read != expected) {
            findings.faults += std::string(locale.getName()) + ' ' + pattern + (lenient ? " lenient" : " strict") +
                               ": \"" + text + "\" read " + describe(read) + ", ICU alone " + describe(expected) + '\n';
        }
    }
}

// `text` must be no date, strict or lenient.
void expectRefused(const char* pattern, const icu::Locale& locale, const std::string& text, Findings& findings) {
    for (bool lenient : {false, true}) {
        const DateFormatter guarded = dates_test::patternFormatter(pattern, "UTC", locale.getName(), lenient);
        ++findings.wordsInNumberFields;
        if (const auto read = guarded.date(text)) {
            findings.faults += std::string(locale.getName()) + ' ' + pattern + (lenient ? " lenient" : " strict") +
                               ": \"" + text + "\" read " + describe(read) + '\n';
        }
    }
}

std::vector<std::unique_ptr<icu::TimeZone>> everyZone() {
    std::vector<std::unique_ptr<icu::TimeZone>> zones;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::StringEnumeration> ids(
        icu::TimeZone::createTimeZoneIDEnumeration(UCAL_ZONE_TYPE_CANONICAL, nullptr, nullptr, status));
    while (const icu::UnicodeString* id = ids ? ids->snext(status) : nullptr) {
        zones.emplace_back(icu::TimeZone::createTimeZone(*id));
    }
    return zones;
}

// 5 January and 5 July 2024, 10:00 UTC: winter and summer names.
constexpr UDate january = 1704448800000.0;
constexpr UDate july = 1720173600000.0;

// Every zone text `locale` writes with zzzz, z, vvvv, VVVV and VVV, after a
// date and time. Those that hold a number word are read, as is every 100th of
// the rest; and each word such a text holds, put in the place of the hour, is
// refused there, as is every word in one text of each pattern.
void checkZoneTexts(const icu::Locale& locale, const std::vector<std::unique_ptr<icu::TimeZone>>& zones,
                    Findings& findings) {
    struct Style {
        const char* pattern;
        const char* wordInTheHour;
        UTimeZoneFormatStyle style;
        bool summerToo;   // names a zone's summer time apart
    };
    static constexpr Style styles[] = {
        {"d MMM y HH:mm zzzz", "d MMM y '\uE000':mm zzzz", UTZFMT_STYLE_SPECIFIC_LONG, true},
        {"d MMM y HH:mm z", "d MMM y '\uE000':mm z", UTZFMT_STYLE_SPECIFIC_SHORT, true},
        {"d MMM y HH:mm vvvv", "d MMM y '\uE000':mm vvvv", UTZFMT_STYLE_GENERIC_LONG, false},
        {"d MMM y HH:mm VVVV", "d MMM y '\uE000':mm VVVV", UTZFMT_STYLE_GENERIC_LOCATION, false},
        {"d MMM y HH:mm VVV", "d MMM y '\uE000':mm VVV", UTZFMT_STYLE_EXEMPLAR_LOCATION, false},
    };
    constexpr long sampleEvery = 100;
    const std::vector<icu::UnicodeString> words = numberWordsOf(locale);
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::TimeZoneFormat> zoneFormat(icu::TimeZoneFormat::createInstance(gregorian(locale), status));
    if (!zoneFormat) {
        findings.faults += std::string(locale.getName()) + ": no zone format\n";
        return;
    }
    for (const Style& style : styles) {
        std::set<icu::UnicodeString> zoneTexts;
        for (const auto& zone : zones) {
            for (UDate when : {january, july}) {
                if (when == july && !(style.summerToo && zone->getDSTSavings() != 0)) continue;
                icu::UnicodeString text;
                zoneFormat->format(style.style, *zone, when, text, nullptr);
                zoneTexts.insert(text);
            }
        }
        // The date and time before the zone, in the locale's own words, and a
        // space as the pattern has; the same with a placeholder in the place
        // of the hour.
        const std::string dateAndTime = formatted(*icuFormatter("d MMM y HH:mm", locale), january);
        const std::string wordInTheHour = formatted(*icuFormatter(style.wordInTheHour, locale), january);
        const auto alone = icuFormatter(style.pattern, locale);
        long rest = 0;
        for (const icu::UnicodeString& zoneText : zoneTexts) {
            const std::string text = dateAndTime + ' ' + utf8(zoneText);
            const bool first = &zoneText == &*zoneTexts.begin();
            if (holdsAWord(zoneText, words)) {
                ++findings.textsWithAWord;
                compare(style.pattern, locale, *alone, text, findings);
            } else if (rest++ % sampleEvery == 0) {
                compare(style.pattern, locale, *alone, text, findings);
            }
            for (const icu::UnicodeString& word : words) {
                if (!first && !holdsAWord(zoneText, {word})) continue;
                expectRefused(style.pattern, locale, replaced(wordInTheHour, placeholder, utf8(word)) + ' ' + utf8(zoneText),
                              findings);
            }
        }
    }
}

// The day periods `locale` writes with "h:mm B" through the day, every one
// read; and each word, put in the place of the hour, refused there.
void checkDayPeriods(const icu::Locale& locale, Findings& findings) {
    const std::vector<icu::UnicodeString> words = numberWordsOf(locale);
    const auto alone = icuFormatter("h:mm B", locale);
    const auto period = icuFormatter("B", locale);
    const auto wordInTheHour = icuFormatter("'\uE000':mm B", locale);
    std::set<std::string> texts;
    for (int halfHour = 0; halfHour < 48; ++halfHour) texts.insert(formatted(*alone, january + halfHour * 1800000.0));
    for (const std::string& text : texts) {
        compare("h:mm B", locale, *alone, text, findings);
        if (holdsAWord(icu::UnicodeString::fromUTF8(text), words)) ++findings.textsWithAWord;
    }
    for (int halfHour = 0; halfHour < 48; ++halfHour) {
        const UDate when = january + halfHour * 1800000.0;
        if (!holdsAWord(icu::UnicodeString::fromUTF8(formatted(*period, when)), words)) continue;
        const std::string withPlaceholder = formatted(*wordInTheHour, when);
        for (const icu::UnicodeString& word : words) {
            expectRefused("h:mm B", locale, replaced(withPlaceholder, placeholder, utf8(word)), findings);
        }
    }
}

// Every text `locale` writes with its relative date styles (with and without a
// short time) for the days from three before today to three after, and far
// away; each read as ICU alone reads it. Where a text holds a word, that word
// put in the place of the minutes is refused there.
void checkRelativeStyles(const icu::Locale& locale, Findings& findings) {
    const std::vector<icu::UnicodeString> words = numberWordsOf(locale);
    const double now = Date::now().secondsSince1970();
    const double today = now - std::fmod(now, 86400.0);
    // 10:47 UTC: minutes that stand once in a text.
    std::vector<double> instants = {1704448800.0 + 2820.0};
    for (int day = -3; day <= 3; ++day) instants.push_back(today + day * 86400.0 + 36000.0 + 2820.0);
    const std::string minutes = formatted(*icuFormatter("mm", locale), (today + 36000.0 + 2820.0) * 1000.0);
    for (auto dateStyle : {DateFormatStyle::full, DateFormatStyle::longStyle, DateFormatStyle::medium,
                           DateFormatStyle::shortStyle}) {
        for (auto timeStyle : {DateFormatStyle::none, DateFormatStyle::shortStyle}) {
            DateFormatter guarded;
            guarded.setLocale(platform::Locale::withIdentifier(locale.getName()));
            guarded.setTimeZone(platform::TimeZone::utc());
            guarded.setDateStyle(dateStyle);
            guarded.setTimeStyle(timeStyle);
            guarded.setDoesRelativeDateFormatting(true);
            auto icuStyle = [](DateFormatStyle style) {
                switch (style) {
                case DateFormatStyle::full: return icu::DateFormat::kFull;
                case DateFormatStyle::longStyle: return icu::DateFormat::kLong;
                case DateFormatStyle::medium: return icu::DateFormat::kMedium;
                case DateFormatStyle::shortStyle: return icu::DateFormat::kShort;
                case DateFormatStyle::none: break;
                }
                return icu::DateFormat::kNone;
            };
            std::unique_ptr<icu::DateFormat> alone(icu::DateFormat::createDateTimeInstance(
                static_cast<icu::DateFormat::EStyle>(icuStyle(dateStyle) | icu::DateFormat::kRelative),
                icuStyle(timeStyle), gregorian(locale)));
            alone->setTimeZone(*icu::TimeZone::getGMT());
            for (double instant : instants) {
                const std::string text = guarded.string(Date::fromSecondsSince1970(instant));
                const auto expected = icuAlone(*alone, icu::UnicodeString::fromUTF8(text), false);
                const auto read = guarded.date(text);
                ++findings.textsCompared;
                // A day's name alone ("today") reads as the present moment of
                // that day, a little later at each reading.
                const bool same = read && expected ? std::abs(read->secondsSince1970() - expected->secondsSince1970()) < 10
                                                   : read.has_value() == expected.has_value();
                if (!same) {
                    findings.faults += std::string(locale.getName()) + " relative: \"" + text + "\" read " +
                                       describe(read) + ", ICU alone " + describe(expected) + '\n';
                }
                if (!holdsAWord(icu::UnicodeString::fromUTF8(text), words)) continue;
                ++findings.textsWithAWord;
                if (timeStyle == DateFormatStyle::none || text.rfind(minutes) == std::string::npos) continue;
                for (const icu::UnicodeString& word : words) {
                    ++findings.wordsInNumberFields;
                    const std::string withWord = replaced(text, minutes, utf8(word));
                    if (const auto wrong = guarded.date(withWord)) {
                        findings.faults += std::string(locale.getName()) + " relative: \"" + withWord + "\" read " +
                                           describe(wrong) + '\n';
                    }
                }
            }
        }
    }
}

// The locales split among a few child processes, which run side by side where
// threads would wait on ICU's locks; each child writes its findings as text:
// its counts on the first line, then its faults.
template <typename Check>
Findings overEveryLocale(Check check) {
    int32_t count = 0;
    const icu::Locale* locales = icu::Locale::getAvailableLocales(count);
    EXPECT_GT(count, 700);
    constexpr int children = 4;
    std::vector<std::pair<pid_t, int>> started;   // each child and the pipe it writes to
    for (int child = 0; child < children; ++child) {
        int pipe[2];
        if (::pipe(pipe) != 0) break;
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(pipe[0]);
            Findings found;
            for (int32_t i = child; i < count; i += children) check(locales[i], found);
            const std::string report = std::to_string(found.textsWithAWord) + ' ' + std::to_string(found.textsCompared) +
                                       ' ' + std::to_string(found.wordsInNumberFields) + '\n' + found.faults;
            ::_exit(platform::writeWhole(pipe[1], report) == 0 ? 0 : 1);
        }
        ::close(pipe[1]);
        if (pid > 0) started.emplace_back(pid, pipe[0]);
        if (pid < 0) ::close(pipe[0]);
    }
    EXPECT_EQ(started.size(), static_cast<std::size_t>(children));
    Findings all;
    for (const auto& [pid, pipe] : started) {
        std::string report;
        char buffer[4096];
        for (ssize_t got; (got = ::read(pipe, buffer, sizeof buffer)) > 0;) report.append(buffer, static_cast<std::size_t>(got));
        ::close(pipe);
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) all.faults += "a child did not finish its locales\n";
        std::istringstream counts(report.substr(0, report.find('\n')));
        long withAWord = 0, compared = 0, inNumberFields = 0;
        counts >> withAWord >> compared >> inNumberFields;
        all.textsWithAWord += withAWord;
        all.textsCompared += compared;
        all.wordsInNumberFields += inNumberFields;
        if (report.find('\n') != std::string::npos) all.faults += report.substr(report.find('\n') + 1);
    }
    return all;
}

TEST(DateFormatterLocaleTexts, ZoneNamesReadAsIcuReadsThem) {
    const auto zones = everyZone();
    ASSERT_GT(zones.size(), 400u);
    const Findings found = overEveryLocale(
        [&](const icu::Locale& locale, Findings& findings) { checkZoneTexts(locale, zones, findings); });
    EXPECT_EQ(found.faults, "");
    // Some two thousand zone texts hold a number word.
    EXPECT_GT(found.textsWithAWord, 1500);
    EXPECT_GT(found.wordsInNumberFields, 2 * found.textsWithAWord);
}

TEST(DateFormatterLocaleTexts, DayPeriodsReadAsIcuReadsThem) {
    const Findings found = overEveryLocale(checkDayPeriods);
    EXPECT_EQ(found.faults, "");
    EXPECT_GT(found.textsWithAWord, 0);
    EXPECT_GT(found.wordsInNumberFields, 0);
}

TEST(DateFormatterLocaleTexts, RelativeDayNamesReadAsIcuReadsThem) {
    const Findings found = overEveryLocale(checkRelativeStyles);
    EXPECT_EQ(found.faults, "");
    EXPECT_GT(found.textsWithAWord, 0);
    EXPECT_GT(found.wordsInNumberFields, 0);
}

// The texts that the guard refused while it refused a number word anywhere.
TEST(DateFormatterLocaleTexts, NamesThatHoldANumberWord) {
    struct Case {
        const char* locale;
        const char* pattern;
        const char* text;
        Date expected;
    };
    using dates_test::utc;
    const Case cases[] = {
        // UTC-2, all year.
        {"en_US", "d MMM y HH:mm zzzz", "5 Jan 2024 10:00 Fernando de Noronha Standard Time", utc(2024, 1, 5, 12)},
        // Madagascar: UTC+3. A text without a date is read on 1 January 1970.
        {"en_US", "VVV", "Antananarivo", utc(1969, 12, 31, 21)},
        {"fil", "h:mm B", "2:38 nang umaga", utc(1970, 1, 1, 2, 38)},
        // Lebanon: UTC+2 in January.
        {"tr", "d MMM y HH:mm VVVV", "5 Oca 2024 14:00 Lübnan Saati", utc(2024, 1, 5, 12)},
    };
    for (const Case& c : cases) {
        for (bool lenient : {false, true}) {
            EXPECT_EQ(dates_test::patternFormatter(c.pattern, "UTC", c.locale, lenient).date(c.text), c.expected)
                << c.locale << ' ' << c.text << ' ' << lenient;
        }
    }
    // Each word where a number field is read is still refused, beside a name
    // that holds it.
    for (bool lenient : {false, true}) {
        const DateFormatter english = dates_test::patternFormatter("d MMM y HH:mm zzzz", "UTC", "en_US", lenient);
        for (const char* text : {"5 Jan 2024 NaN:00 Fernando de Noronha Standard Time",
                                 "5 Jan 2024 10:nan Fernando de Noronha Standard Time",
                                 "5 Jan 2024 10:\u221E Fernando de Noronha Standard Time",
                                 "NaN Jan 2024 10:00 Fernando de Noronha Standard Time"}) {
            EXPECT_FALSE(english.date(text)) << text << ' ' << lenient;
        }
        EXPECT_FALSE(dates_test::patternFormatter("h:mm B", "UTC", "fil", lenient).date("NaN:38 nang umaga")) << lenient;
        // Asturian "ND" as a two-digit year, which a lenient ICU reads as the year 0.
        EXPECT_FALSE(dates_test::patternFormatter("dd.MM.yy", "UTC", "ast", lenient).date("09.03.ND")) << lenient;
        EXPECT_EQ(dates_test::patternFormatter("dd.MM.yy", "UTC", "ast", lenient).date("09.03.24"), utc(2024, 3, 9))
            << lenient;
    }
    // Numbers read by an algorithmic system's rules (Roman numerals, Hawaiian
    // months) take the word as 0 too, but need not take zeros: the word is
    // refused anywhere there.
    for (bool lenient : {false, true}) {
        for (const char* locale : {"en@numbers=roman", "zh@numbers=hans"}) {
            EXPECT_FALSE(dates_test::patternFormatter("yyyy-MM-dd'T'HH:mm:ss.SSSZ", "UTC", locale, lenient)
                             .date("2024-03-09T16:05:07.NaN+0000"))
                << locale << ' ' << lenient;
        }
        DateFormatter hawaiian;
        hawaiian.setLocale(platform::Locale::withIdentifier("haw"));
        hawaiian.setTimeZone(platform::TimeZone::utc());
        hawaiian.setDateStyle(DateFormatStyle::shortStyle);
        hawaiian.setLenient(lenient);
        EXPECT_EQ(hawaiian.string(utc(2024, 3, 9)), "9/iii/24");
        EXPECT_EQ(hawaiian.date("9/iii/24"), utc(2024, 3, 9)) << lenient;
        EXPECT_FALSE(hawaiian.date("9/NaN/24")) << lenient;
    }
}

} // namespace
