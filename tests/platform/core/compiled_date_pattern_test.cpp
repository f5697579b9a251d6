// The compiled date patterns against ICU's own formatter: over many generated
// instants and texts, in many zones, locales and patterns, a formatter gives
// the same text and the same instant with the compiled path as without it.

#include "dates_test_support.h"

#include "platform/core/date_formatter.h"
#include "platform/core/internal/compiled_date_pattern.h"

#include <unicode/smpdtfmt.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using platform::Date;
using platform::DateFormatter;
using platform::Locale;
using platform::icu_support::CompiledDatePattern;
using platform::icu_support::setCompiledDatePatternsEnabled;

// The program's own formats first, then others the compiled path takes or
// must decline (wide names, short fractions, localized and extended offsets,
// two-digit years, a literal last).
const char* const testPatterns[] = {
    "yyyy", "yyyy-MM", "yyyy-MM-dd", "yyyy-MM-dd'T'HH:mmZ", "yyyy-MM-dd'T'HH:mm:ssZ", "yyyy-MM-dd'T'HH:mm:ss.SSSZ",
    "EEE, d MMM yyyy HH:mm:ss ZZZ", "d MMM yyyy HH:mm:ss ZZZ", "EEE, dd MM yyyy HH:mm:ss ZZZ",
    "EEE MMM dd HH:mm:ss Z yyyy", "EEEE, d MMMM yyyy H:m:s.S ZZ", "yyy.M.d HH:mm:ss.SS Z", "dd.MM.yyyy HH:mm ZZZZ",
    "yyyy-MM-dd'T'HH:mm:ssZZZZZ", "MMM d, yyyy 'at' HH:mm Z", "yy-MM-dd HH:mm Z", "d MMM yyyy HH:mm:ss Z '('EEE')'",
    "E d MMMM yyyy HH:mm Z", "y-M-d H:m Z",
};

const char* const testZones[] = {"UTC",           "Europe/London",    "America/New_York", "Australia/Sydney",
                              "Pacific/Kiritimati", "Asia/Kathmandu", "America/St_Johns", "Europe/Dublin",
                              "Africa/Monrovia"};

const char* const testLocales[] = {"en_US_POSIX", "en_GB", "ru_RU", "de_DE", "fr_FR", "es_ES", "it_IT", "nl_NL",
                                "sv_SE",       "pl_PL", "id_ID", "ja_JP", "ar_EG", "hi_IN", "tr_TR", "th_TH"};

// Switches the compiled path off for the life of the guard.
class IcuOnly {
public:
    IcuOnly() { setCompiledDatePatternsEnabled(false); }
    ~IcuOnly() { setCompiledDatePatternsEnabled(true); }
    IcuOnly(const IcuOnly&) = delete;
    IcuOnly& operator=(const IcuOnly&) = delete;
};

DateFormatter formatter(const char* pattern, const char* zone, const char* locale) {
    return dates_test::patternFormatter(pattern, zone, locale, true);
}

std::string icuText(const DateFormatter& f, Date date) {
    IcuOnly icuOnly;
    return f.string(date);
}

std::optional<Date> icuDate(const DateFormatter& f, const std::string& text) {
    IcuOnly icuOnly;
    return f.date(text);
}

// Instants around the edges the compiled path draws (years 1600 and 9999, day
// boundaries, fractions of a millisecond) and anywhere from 1500 to 10100.
std::vector<Date> instants(std::mt19937_64& random) {
    std::vector<Date> out = {
        Date::fromSecondsSince1970(0),
        Date::fromSecondsSince1970(-0.0004),
        Date::fromSecondsSince1970(0.9995),
        Date::fromSecondsSince1970(1710000000.25),
        Date::fromSecondsSince1970(1711846800),            // London's spring change, 2024-03-31 01:00 UTC
        Date::fromSecondsSince1970(1711846799.999),
        Date::fromSecondsSince1970(1730599200),            // New York's autumn change, 2024-11-03 06:00 UTC
        Date::fromSecondsSince1970(-11676096000.0),        // 1600-01-01
        Date::fromSecondsSince1970(-11676096000.0 - 1),
        Date::fromSecondsSince1970(-11676096000.0 + 86400 * 2),
        Date::fromSecondsSince1970(253402300799.0),        // 9999-12-31 23:59:59
        Date::fromSecondsSince1970(253402300800.0),
        Date::fromSecondsSince1970(253402300799.0 - 86400 * 2),
        Date::fromSecondsSince1970(63072000 - 0.0001),     // just before 1972 (Monrovia's offset has seconds until then)
    };
    std::uniform_real_distribution<double> anywhere(-14831769600.0, 256585536000.0);   // 1500 to 10100
    std::uniform_real_distribution<double> recent(-2208988800.0, 4102444800.0);        // 1900 to 2100
    std::uniform_int_distribution<int> millis(0, 999);
    for (int i = 0; i < 10; ++i) out.push_back(Date::fromSecondsSince1970(anywhere(random)));
    for (int i = 0; i < 20; ++i) {
        out.push_back(Date::fromSecondsSince1970(std::floor(recent(random)) + millis(random) / 1000.0));
    }
    return out;
}

// Texts near a well-formed one: each edit alone, as a careless writer or a
// hostile one would make it.
std::vector<std::string> variants(const std::string& text, std::mt19937_64& random) {
    std::vector<std::string> out = {text, text + "x", " " + text, text + " ", text + ".", text + "Z"};
    std::string upper = text, lower = text;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    out.push_back(upper);
    out.push_back(lower);
    // Other offsets and zone names in place of the last one.
    for (const char* zone : {"GMT", "UTC", "UT", "gmt", "Z", "+0000", "-0000", "+0530", "-1200", "+2400", "+0060",
                             "+05", "+05:30", "+053000", "+14:00", "GMT+01:00", "EST", "BST"}) {
        const std::size_t cut = text.find_last_of("+-");
        const std::size_t gmt = text.rfind("GMT");
        const std::size_t at = gmt != std::string::npos ? gmt : cut;
        if (at != std::string::npos && at > 0) out.push_back(text.substr(0, at) + zone);
    }
    const std::string inserts = " .,:-+0159ZaGT";
    std::uniform_int_distribution<std::size_t> position(0, text.empty() ? 0 : text.size() - 1);
    std::uniform_int_distribution<std::size_t> insert(0, inserts.size() - 1);
    for (int i = 0; i < 12 && !text.empty(); ++i) {
        std::string edited = text;
        const std::size_t at = position(random);
        switch (i % 4) {
        case 0: edited.erase(at, 1); break;
        case 1: edited.insert(at, 1, inserts[insert(random)]); break;
        case 2: edited.insert(at, 1, edited[at]); break;
        case 3:
            if (edited[at] >= '0' && edited[at] <= '9') edited[at] = static_cast<char>('0' + (edited[at] - '0' + 7) % 10);
            else edited[at] = inserts[insert(random)];
            break;
        }
        out.push_back(edited);
    }
    // Values beyond their unit's range, short fields, a two-digit year.
    for (const char* odd : {"2024-02-30T10:00:00+0000", "2024-13-01T00:00:00+0000", "2024-01-01T24:00:00+0000",
                            "2024-01-01T23:60:00+0000", "2024-01-01T23:59:60+0000", "24-01-01T10:00:00+0000",
                            "2024-1-1T1:2:3+0000", "2024-01-01T10:00:00.5+0000", "2024-01-01T10:00:00.1234+0000",
                            "0999-01-01T10:00:00+0000", "Sat, 31 Feb 2024 16:05:07 GMT", "Sat, 9 Mar. 2024 16:05:07 GMT",
                            "Saturday, 9 March 2024 16:05:07 GMT", "sat, 9 mar 2024 16:05:07 gmt",
                            "Sat, 9 Mar 24 16:05:07 GMT", "Sat,  9 Mar 2024 16:05:07 GMT", "Sat, 09 Mar 2024 16:05:07 +0100",
                            "9 Mar 2024 16:05:07 UTC", "Sat Mar 09 16:05:07 +0100 2024", "Sat, 9 Mar 2024 16:05:07 GMT "}) {
        out.emplace_back(odd);
    }
    return out;
}

std::string describe(const std::optional<Date>& date) {
    return date ? std::to_string(date->secondsSince1970()) : std::string("none");
}

TEST(CompiledDatePatterns, WriteExactlyWhatIcuWrites) {
    std::mt19937_64 random(20240309);
    const std::vector<Date> dates = instants(random);
    int compared = 0;
    for (const char* locale : testLocales) {
        for (const char* pattern : testPatterns) {
            for (const char* zone : testZones) {
                const DateFormatter f = formatter(pattern, zone, locale);
                for (const Date date : dates) {
                    ASSERT_EQ(f.string(date), icuText(f, date))
                        << pattern << " | " << zone << " | " << locale << " | " << date.secondsSince1970();
                    ++compared;
                }
            }
        }
    }
    EXPECT_GT(compared, 50000);
}

TEST(CompiledDatePatterns, ReadExactlyWhatIcuReads) {
    std::mt19937_64 random(20240310);
    std::vector<Date> dates = instants(random);
    dates.resize(18);   // the edges and a few random ones: the variants multiply them
    int compared = 0;
    for (const char* locale : testLocales) {
        for (const char* pattern : testPatterns) {
            for (const char* zone : {"UTC", "America/New_York", "Asia/Kathmandu", "Africa/Monrovia"}) {
                const DateFormatter f = formatter(pattern, zone, locale);
                for (const Date date : dates) {
                    for (const std::string& text : variants(icuText(f, date), random)) {
                        ASSERT_EQ(describe(f.date(text)), describe(icuDate(f, text)))
                            << '"' << text << "\" | " << pattern << " | " << zone << " | " << locale;
                        ++compared;
                    }
                }
            }
        }
    }
    EXPECT_GT(compared, 100000);
}

// The strict reader is ICU's alone; it must not take the lenient shortcut.
TEST(CompiledDatePatterns, StrictReadingStaysStrict) {
    DateFormatter strict = formatter("yyyy-MM-dd'T'HH:mm:ssZ", "UTC", "en_US_POSIX");
    strict.setLenient(false);
    EXPECT_EQ(strict.date("2024-03-09T16:05:07+0000"), dates_test::utc(2024, 3, 9, 16, 5, 7));
    EXPECT_FALSE(strict.date("2024-02-30T16:05:07+0000"));
    EXPECT_EQ(formatter("yyyy-MM-dd'T'HH:mm:ssZ", "UTC", "en_US_POSIX").date("2024-02-30T16:05:07+0000"),
              dates_test::utc(2024, 3, 1, 16, 5, 7));
}

// The shortcut is taken where the program needs it: the ISO and RSS formats
// in English and Russian compile, and an RSS text reads without ICU.
TEST(CompiledDatePatterns, TheProgramsFormatsCompile) {
    for (const char* locale : {"en_US_POSIX@calendar=gregorian", "ru_RU@calendar=gregorian"}) {
        for (const char16_t* pattern : {u"yyyy-MM-dd'T'HH:mm:ssZ", u"yyyy-MM-dd'T'HH:mm:ss.SSSZ",
                                        u"EEE, d MMM yyyy HH:mm:ss ZZZ"}) {
            UErrorCode status = U_ZERO_ERROR;
            const icu::SimpleDateFormat icuFormat(icu::UnicodeString(pattern), icu::Locale(locale), status);
            ASSERT_TRUE(U_SUCCESS(status));
            EXPECT_NE(CompiledDatePattern::compile(icuFormat), nullptr) << locale;
        }
    }
    UErrorCode status = U_ZERO_ERROR;
    const icu::SimpleDateFormat rss(icu::UnicodeString(u"EEE, d MMM yyyy HH:mm:ss ZZZ"),
                                    icu::Locale("en_US_POSIX@calendar=gregorian"), status);
    const auto compiled = CompiledDatePattern::compile(rss);
    ASSERT_NE(compiled, nullptr);
    EXPECT_EQ(compiled->parseLenient("Sat, 9 Mar 2024 16:05:07 GMT"), 1710000307000.0);
    EXPECT_EQ(compiled->parseLenient("Sat, 09 Mar 2024 16:05:07 -0130"), 1710000307000.0 + 5400000.0);
    // Arabic digits are not ASCII: no compiled form.
    const icu::SimpleDateFormat arabic(icu::UnicodeString(u"yyyy-MM-dd"), icu::Locale("ar_EG@calendar=gregorian"),
                                       status);
    EXPECT_EQ(CompiledDatePattern::compile(arabic), nullptr);
}

} // namespace
