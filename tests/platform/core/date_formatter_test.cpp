// Reading dates from text, relative day names and the locale's symbol lists.

#include "dates_test_support.h"

#include "platform/core/date_formatter.h"
#include "support/child_process.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <string>
#include <vector>

namespace {

using dates_test::utc;
using platform::Date;
using platform::DateFormatStyle;
using platform::DateFormatter;
using platform::Locale;
using platform::SymbolWidth;

// Strict unless asked, UTC and en_US_POSIX unless named.
DateFormatter reader(const char* pattern, const char* zone = "UTC", const char* locale = "en_US_POSIX",
                     bool lenient = false) {
    return dates_test::patternFormatter(pattern, zone, locale, lenient);
}

TEST(DateFormatterReading, ReadsBackWhatItWrites) {
    const Date instant = utc(2024, 3, 9, 16, 5, 7);
    for (const char* zone : {"UTC", "America/New_York", "Australia/Sydney", "Pacific/Kiritimati"}) {
        for (const char* pattern : {"EEE, d MMM yyyy HH:mm:ss ZZZ", "yyyy-MM-dd'T'HH:mm:ssZ", "EEE MMM dd HH:mm:ss Z yyyy"}) {
            for (const char* locale : {"en_US_POSIX", "ru_RU"}) {
                const DateFormatter f = reader(pattern, zone, locale);
                EXPECT_EQ(f.date(f.string(instant)), instant) << pattern << ' ' << zone << ' ' << locale;
            }
        }
    }
    // Milliseconds survive; fields left out take their lowest values.
    EXPECT_EQ(reader("yyyy-MM-dd'T'HH:mm:ss.SSSZ").date("2024-03-09T16:05:07.250+0000"),
              utc(2024, 3, 9, 16, 5, 7.25));
    EXPECT_EQ(reader("yyyy-MM").date("2024-03"), utc(2024, 3, 1));
    EXPECT_EQ(reader("HH:mm").date("10:30"), utc(1970, 1, 1, 10, 30));
    // Without a zone in the text, the formatter's zone (New York is UTC-5 in January).
    EXPECT_EQ(reader("yyyy-MM-dd HH:mm", "America/New_York").date("2024-01-15 08:00"), utc(2024, 1, 15, 13));
}

TEST(DateFormatterReading, TheWholeTextMustBeADate) {
    for (bool lenient : {false, true}) {
        const DateFormatter f = reader("yyyy-MM-dd", "UTC", "en_US_POSIX", lenient);
        EXPECT_EQ(f.date("2024-03-09"), utc(2024, 3, 9)) << lenient;
        EXPECT_FALSE(f.date("2024-03-09 and more")) << lenient;
        EXPECT_FALSE(f.date("2024-03-09x")) << lenient;
        EXPECT_FALSE(f.date("on 2024-03-09")) << lenient;
        EXPECT_FALSE(f.date("")) << lenient;
        EXPECT_FALSE(f.date("nonsense")) << lenient;
        EXPECT_FALSE(f.date(std::string("2024-03-09\0", 11))) << lenient;
    }
}

// ICU reads a number field with its general number reader: an exponent there
// made a date of "07.8E10" and stopped the process with a division by zero on
// the first text below, as did 35 digits of a fraction. A number field is read
// only as digits, of any script, at most nine of them unless the pattern
// writes more; a minus before a year stays.
TEST(DateFormatterReading, NumberFieldsAreReadAsDigitsAlone) {
    const std::string lrm = "\u200E";   // an invisible mark ICU's number reader skips
    std::string arabicIndic;              // forty U+0668 ARABIC-INDIC DIGIT EIGHT
    for (int i = 0; i < 40; ++i) arabicIndic += "\u0668";
    for (bool lenient : {false, true}) {
        const DateFormatter f = reader("yyyy-MM-dd'T'HH:mm:ss.SSSZ", "UTC", "en_US_POSIX", lenient);
        for (const std::string& fraction :
             std::vector<std::string>{"858888888888888888888E88888888888888", "8E10", "8E30", "2e1", "2E-1", "2E\u22121",
                                      "250" + lrm + "E2", "2E" + lrm + "2", "NaN", "nan", "\u221E", "5555555555",
                                      std::string(40, '8'), arabicIndic, std::string(40, '8') + "E1"}) {
            EXPECT_FALSE(f.date("2024-03-09T16:05:07." + fraction + "+0000")) << fraction << ' ' << lenient;
        }
        EXPECT_FALSE(f.date("2024-03-09TNaN:05:07.250+0000")) << lenient;
        EXPECT_FALSE(f.date("2024E0-03-09T16:05:07.250+0000")) << lenient;
        EXPECT_EQ(f.date("2024-03-09T16:05:07.555555555+0000"), utc(2024, 3, 9, 16, 5, 7.555)) << lenient;
        EXPECT_EQ(f.date("\u0662\u0660\u0662\u0664-03-09T16:05:07.250+0000"), utc(2024, 3, 9, 16, 5, 7.25))
            << lenient;   // Arabic-Indic digits
        // The Swedish exponent.
        EXPECT_FALSE(reader("yyyy-MM-dd HH:mm:ss", "UTC", "sv_SE", lenient).date("2024-03-09 16:05:7\u00D710^0"));
        // Fields that abut are read by their widths: fourteen digits in a run.
        EXPECT_EQ(reader("yyyyMMddHHmmss", "UTC", "en_US_POSIX", lenient).date("20240309160507"),
                  utc(2024, 3, 9, 16, 5, 7));
        // The word a locale's number reader takes for not-a-number can be a name:
        // Bena's August.
        EXPECT_EQ(reader("d MMM yyyy", "UTC", "bez_TZ", lenient).date("1 Nan 2024"), utc(2024, 8, 1)) << lenient;
        // A year before year 1 keeps its minus.
        const DateFormatter extended = reader("uuuu-MM-dd", "UTC", "en_US_POSIX", lenient);
        const auto beforeOurEra = extended.date("-0044-03-15");
        ASSERT_TRUE(beforeOurEra.has_value()) << lenient;
        EXPECT_EQ(extended.string(*beforeOurEra), "-0044-03-15");
    }
}

// A not-a-number word is told from a name by reading the text again with
// zeros in its place. Between two runs of digits the zeros joined them into
// one run of 38 digits in a fraction of a second, and ICU stopped the process
// with a division by zero: a text whose zeros this guard refuses is no date.
// The pattern's own texts still read, and a blank after an "e" that follows
// the zeros makes no exponent of them. Read in a child process, so that a stop
// fails the test rather than ending it.
TEST(DateFormatterReading, ANumberWordBetweenDigitsIsReadSafely) {
    const std::string pattern = "HH:mm:ss." + std::string(30, 'S') + "'NaN'SSSSS";
    const std::string joined = "16:05:07." + std::string(30, '1') + "NaN12345";
    const Date written = utc(1970, 1, 1, 16, 5, 7.111);
    const auto run = testsupport::runInChild([&] {
        std::string findings;
        for (bool lenient : {false, true}) {
            const DateFormatter literal = reader(pattern.c_str(), "UTC", "en_US_POSIX", lenient);
            const DateFormatter seconds = reader("HH:mm:ss'e 'SSS", "UTC", "en_US_POSIX", lenient);
            const std::string own = literal.string(written);
            findings += std::string(lenient ? "lenient:" : "strict:") + (literal.date(joined) ? " joined read" : "") +
                        (literal.date(own) == written ? "" : " own text not read") +
                        (seconds.date("16:05:NaNe 123") ? " NaN seconds read" : "") + '\n';
        }
        return findings;
    });
    ASSERT_GT(run.pid, 0);
    ASSERT_TRUE(WIFEXITED(run.status)) << "stopped by signal " << (WIFSIGNALED(run.status) ? WTERMSIG(run.status) : 0);
    EXPECT_EQ(run.output, "strict:\nlenient:\n");
}

TEST(DateFormatterReading, LenientReadingLetsFieldsRunOn) {
    EXPECT_FALSE(reader("yyyy-MM-dd").date("2024-02-30"));
    EXPECT_EQ(reader("yyyy-MM-dd", "UTC", "en_US_POSIX", true).date("2024-02-30"), utc(2024, 3, 1));
    EXPECT_EQ(reader("yyyy-MM-dd HH:mm", "UTC", "en_US_POSIX", true).date("2024-03-09 24:00"), utc(2024, 3, 10));
}

TEST(DateFormatterReading, StylesReadTheirOwnTexts) {
    DateFormatter f;
    f.setLocale(Locale::withIdentifier("en_US"));
    f.setTimeZone(dates_test::zone("Europe/London"));
    f.setDateStyle(DateFormatStyle::medium);
    f.setTimeStyle(DateFormatStyle::medium);
    const Date instant = utc(2024, 7, 4, 11, 22, 33);
    EXPECT_EQ(f.date(f.string(instant)), instant);
    DateFormatter nothing;
    EXPECT_FALSE(nothing.date("Jul 4, 2024"));   // no pattern and no style
}

TEST(DateFormatterReading, InstantsBeyondTheCalendarAreRefused) {
    EXPECT_FALSE(reader("yyyy-MM-dd").date("99999999-01-01"));
}

TEST(DateFormatterRelative, NamesTheDaysAroundToday) {
    DateFormatter f;
    f.setLocale(Locale::withIdentifier("en_US"));
    f.setTimeZone(platform::TimeZone::utc());
    f.setDateStyle(DateFormatStyle::medium);
    f.setDoesRelativeDateFormatting(true);
    // Noon of today in UTC, so that a day either side stays in its day.
    const auto utcCalendar = dates_test::calendarIn("UTC");
    const Date noon = utcCalendar.startOfDay(Date::now()).addingTimeInterval(43200);
    EXPECT_EQ(f.string(noon), "today");   // ICU 72 writes them in lower case
    EXPECT_EQ(f.string(noon.addingTimeInterval(86400)), "tomorrow");
    EXPECT_EQ(f.string(noon.addingTimeInterval(-86400)), "yesterday");
    const Date farAway = utc(2001, 2, 3, 12);
    EXPECT_EQ(f.string(farAway), "Feb 3, 2001");
    f.setLocale(Locale::withIdentifier("ru_RU"));
    EXPECT_EQ(f.string(noon), "сегодня");
    // A time style alone has no day to name; the flag changes nothing there.
    DateFormatter timeOnly;
    timeOnly.setLocale(Locale::withIdentifier("en_US_POSIX"));
    timeOnly.setTimeZone(platform::TimeZone::utc());
    timeOnly.setTimeStyle(DateFormatStyle::shortStyle);
    timeOnly.setDoesRelativeDateFormatting(true);
    EXPECT_EQ(timeOnly.string(noon), "12:00\u202fPM");   // a narrow no-break space
}

TEST(DateFormatterSymbols, FormatContextListsStartOnSundayAndJanuary) {
    DateFormatter russian;
    russian.setLocale(Locale::withIdentifier("ru_RU"));
    const std::vector<std::string> weekdays = russian.weekdaySymbols(SymbolWidth::wide);
    ASSERT_EQ(weekdays.size(), 7u);
    EXPECT_EQ(weekdays.front(), "воскресенье");
    EXPECT_EQ(weekdays.back(), "суббота");
    EXPECT_EQ(russian.weekdaySymbols(SymbolWidth::abbreviated)[1], "пн");
    EXPECT_EQ(russian.weekdaySymbols(SymbolWidth::narrow)[3], "С");
    const std::vector<std::string> months = russian.monthSymbols(SymbolWidth::wide);
    ASSERT_EQ(months.size(), 12u);
    EXPECT_EQ(months[0], "января");   // genitive: the form inside a date
    EXPECT_EQ(months[11], "декабря");
    EXPECT_EQ(russian.monthSymbols(SymbolWidth::abbreviated)[4], "мая");
    EXPECT_EQ(russian.monthSymbols(SymbolWidth::narrow)[0], "Я");
    DateFormatter english;
    english.setLocale(Locale::withIdentifier("en_US"));
    EXPECT_EQ(english.weekdaySymbols(SymbolWidth::abbreviated)[0], "Sun");
    EXPECT_EQ(english.monthSymbols(SymbolWidth::wide)[8], "September");
}

} // namespace
