// Reading dates: every format read back from its own text, the dotNet reader,
// the "Z" rule, and texts that are no date.

#include "datehelper/date_formatting.h"
#include "datehelper/date_parsing.h"
#include "toolkit_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

using namespace datehelper;
using datehelper_test::DeviceZone;
using datehelper_test::utc;
using platform::Date;
using platform::Locale;

namespace {

std::vector<DateFormatType> everyFormat() {
    return {DateFormatType::isoYear(),   DateFormatType::isoYearMonth(),       DateFormatType::isoDate(),
            DateFormatType::isoDateTime(), DateFormatType::isoDateTimeSec(), DateFormatType::isoDateTimeMilliSec(),
            DateFormatType::dotNet(),    DateFormatType::rss(),                DateFormatType::altRSS(),
            DateFormatType::httpHeader(), DateFormatType::standard(),          DateFormatType::custom("dd.MM.yyyy HH:mm")};
}

std::optional<Date> dotNet(const std::string& text) {
    return dateFromString(text, DateFormatType::dotNet(), TimeZoneType::utc(), defaultLocale());
}

} // namespace

TEST(Parsing, EveryFormatReadsBackItsOwnText) {
    const Date instant = utc(2024, 3, 9, 16, 5, 7.25);
    for (const TimeZoneType& zone : {TimeZoneType::local(), TimeZoneType::utc(), TimeZoneType::custom(19800)}) {
        for (const char* locale : {"ru_RU", "en_US_POSIX"}) {
            for (const DateFormatType& format : everyFormat()) {
                const std::string text = toString(instant, format, zone, Locale::withIdentifier(locale));
                const auto parsed = dateFromString(text, format, zone, Locale::withIdentifier(locale));
                ASSERT_TRUE(parsed.has_value()) << text;
                // Read back, it writes the same text: formats without seconds
                // lose them, but nothing else.
                EXPECT_EQ(toString(*parsed, format, zone, Locale::withIdentifier(locale)), text) << locale;
            }
        }
    }
    // The formats that carry the full instant give it back exactly.
    EXPECT_EQ(dateFromString(toString(instant, DateFormatType::isoDateTimeMilliSec()),
                             DateFormatType::isoDateTimeMilliSec(), TimeZoneType::local(), defaultLocale()),
              instant);
    EXPECT_EQ(dateFromString(toString(instant, DateFormatType::rss()), DateFormatType::rss(), TimeZoneType::local(),
                             defaultLocale()),
              utc(2024, 3, 9, 16, 5, 7));
}

TEST(Parsing, MillisecondsReadBackAsWritten) {
    // 120 ms after a second of March 2004, or of 4178, is a double just below
    // the whole millisecond; written, it must still read 120, not 119.
    const DateFormatType format = DateFormatType::isoDateTimeMilliSec();
    for (const std::string text : {"2004-03-09T16:05:07.120+0000", "4178-08-09T16:05:07.120+0000"}) {
        const auto parsed = dateFromString(text, format, TimeZoneType::utc(), defaultLocale());
        ASSERT_TRUE(parsed.has_value()) << text;
        EXPECT_EQ(toString(*parsed, format, TimeZoneType::utc(), defaultLocale()), text);
    }
}

TEST(Parsing, EmptyTextIsNoDateInAnyFormat) {
    for (const DateFormatType& format : everyFormat()) {
        EXPECT_FALSE(dateFromString("", format, TimeZoneType::utc(), defaultLocale()));
    }
}

TEST(Parsing, LeftoverCharactersMakeNoDate) {
    const Locale english = Locale::withIdentifier("en_US_POSIX");
    EXPECT_EQ(dateFromString("2024-03-09", DateFormatType::isoDate(), TimeZoneType::utc(), english), utc(2024, 3, 9));
    EXPECT_FALSE(dateFromString("2024-03-09 and then some", DateFormatType::isoDate(), TimeZoneType::utc(), english));
    EXPECT_FALSE(dateFromString("2024-03-09T10:00", DateFormatType::isoDate(), TimeZoneType::utc(), english));
    // Lenient within the text: fields run on.
    EXPECT_EQ(dateFromString("2024-02-30", DateFormatType::isoDate(), TimeZoneType::utc(), english), utc(2024, 3, 1));
}

TEST(Parsing, RssReadsATrailingZAsGmt) {
    const Locale english = Locale::withIdentifier("en_US_POSIX");
    const Date expected = utc(2024, 3, 9, 16, 5, 7);
    EXPECT_EQ(dateFromString("Sat, 9 Mar 2024 16:05:07 Z", DateFormatType::rss(), TimeZoneType::local(), english),
              expected);
    EXPECT_EQ(dateFromString("Sat, 9 Mar 2024 16:05:07 GMT", DateFormatType::rss(), TimeZoneType::local(), english),
              expected);
    EXPECT_EQ(dateFromString("9 Mar 2024 16:05:07 Z", DateFormatType::altRSS(), TimeZoneType::local(), english),
              expected);
    EXPECT_EQ(dateFromString("Sat, 9 Mar 2024 16:05:07 +0100", DateFormatType::rss(), TimeZoneType::utc(), english),
              expected.addingTimeInterval(-3600));
    // Other formats get the text as it is; the ISO zone field reads "Z" itself.
    EXPECT_EQ(dateFromString("2024-03-09T16:05:07Z", DateFormatType::isoDateTimeSec(), TimeZoneType::local(), english),
              expected);
    EXPECT_FALSE(dateFromString("Z", DateFormatType::rss(), TimeZoneType::utc(), english));
    // Only rss and altRSS: a pattern whose text ends in a literal "Z" reads it as written.
    EXPECT_EQ(dateFromString("2024-03-09Z", DateFormatType::custom("yyyy-MM-dd'Z'"), TimeZoneType::utc(), english),
              utc(2024, 3, 9));
}

// ICU's number reader takes an exponent in a number field: the first text
// stopped the process inside ICU, and the next two were read as dates. Each
// reader refuses them, and still reads the plain texts.
TEST(Parsing, NumberFieldsWithAnExponentAreNoDate) {
    const Locale english = Locale::withIdentifier("en_US_POSIX");
    Locale::setCurrentOverride(english);   // the strict reader's names
    const DateFormatType iso = DateFormatType::isoDateTimeMilliSec();
    const DateFormatType rss = DateFormatType::rss();
    auto lenient = [&](const std::string& text, const DateFormatType& format) {
        return dateFromString(text, format, TimeZoneType::utc(), english);
    };
    for (const char* text : {"2024-03-09T16:05:07.858888888888888888888E88888888888888+00",
                             "2024-03-09T16:05:07.8E10+0000", "2024-03-09T16:05:07.8E30+0000"}) {
        EXPECT_FALSE(lenient(text, iso)) << text;
        EXPECT_FALSE(toDate(text, iso)) << text;
    }
    for (const char* text : {"Sat, 9 Mar 2024E0 16:05:07 Z", "Sat, 9 Mar 2024 16:05:7E0 +0000"}) {
        EXPECT_FALSE(lenient(text, rss)) << text;
        EXPECT_FALSE(toDate(text, rss)) << text;
    }
    EXPECT_EQ(lenient("2024-03-09T16:05:07.858+0000", iso), utc(2024, 3, 9, 16, 5, 7.858));
    EXPECT_EQ(toDate("2024-03-09T16:05:07.858+0000", iso), utc(2024, 3, 9, 16, 5, 7.858));
    EXPECT_EQ(lenient("Sat, 9 Mar 2024 16:05:07 Z", rss), utc(2024, 3, 9, 16, 5, 7));
    EXPECT_EQ(toDate("Sat, 9 Mar 2024 16:05:07 +0000", rss), utc(2024, 3, 9, 16, 5, 7));
    Locale::setCurrentOverride(std::nullopt);
}

TEST(DotNetParsing, MillisecondsSince1970) {
    EXPECT_EQ(dotNet("/Date(0)/"), utc(1970, 1, 1));
    EXPECT_EQ(dotNet("/Date(500)/"), utc(1970, 1, 1, 0, 0, 0.5));
    EXPECT_EQ(dotNet("/Date(1710000000000)/"), Date::fromSecondsSince1970(1710000000));
    // The offset says where the writer was; the instant is the same.
    EXPECT_EQ(dotNet("/Date(1710000000000+0530)/"), Date::fromSecondsSince1970(1710000000));
    EXPECT_EQ(dotNet("/Date(1710000000000-0330)/"), Date::fromSecondsSince1970(1710000000));
    EXPECT_EQ(dotNet(R"(\/Date(500)\/)"), utc(1970, 1, 1, 0, 0, 0.5));
    EXPECT_EQ(dotNet(R"({"when":"\/Date(500+0100)\/","x":1})"), utc(1970, 1, 1, 0, 0, 0.5));
    EXPECT_EQ(dotNet("/Date(1)/ then /Date(2)/"), Date::fromSecondsSince1970(0.001));   // the first one
    // A minus sign: before 1970, as .NET writes such dates.
    EXPECT_EQ(dotNet("/Date(-500)/"), utc(1969, 12, 31, 23, 59, 59.5));
    EXPECT_EQ(dotNet("/Date(-62135596800000)/"), utc(1, 1, 1));   // .NET's DateTime.MinValue
}

TEST(DotNetParsing, OnlyAsciiDigitsWithinTheRangeOfDotNetDates) {
    EXPECT_FALSE(dotNet("/Date()/"));
    EXPECT_FALSE(dotNet("/Date(--5)/"));
    EXPECT_FALSE(dotNet("/Date(+5)/"));
    EXPECT_FALSE(dotNet("/Date(12a)/"));
    EXPECT_FALSE(dotNet("/Date(٣٤)/"));              // Arabic-Indic digits
    EXPECT_FALSE(dotNet("/Date(１２)/"));             // full-width digits
    EXPECT_FALSE(dotNet("/Date(5+01)/"));             // an offset needs four digits
    EXPECT_FALSE(dotNet("Date(5)"));
    EXPECT_EQ(dotNet("/Date(8640000000000000)/"), Date::fromSecondsSince1970(8.64e12));
    EXPECT_EQ(dotNet("/Date(-8640000000000000)/"), Date::fromSecondsSince1970(-8.64e12));
    EXPECT_FALSE(dotNet("/Date(8640000000000001)/"));
    EXPECT_FALSE(dotNet("/Date(99999999999999999999999999999999)/"));
    EXPECT_EQ(dotNet("/Date(00000000000000000000000001)/"), Date::fromSecondsSince1970(0.001));
    EXPECT_FALSE(dotNet(std::string(100000, '9')));
}

TEST(DotNetFormatting, ReadsBackToTheSameMillisecond) {
    for (const char* name : {"UTC", "Asia/Kolkata", "America/St_Johns", "Pacific/Kiritimati", "America/New_York"}) {
        DeviceZone device(name);
        for (const Date date : {utc(2024, 3, 9, 16, 5, 7.25), utc(1969, 12, 31, 23, 59, 59.5), utc(1, 1, 1),
                                Date::fromSecondsSince1970(-0.0004), Date::fromSecondsSince1970(1710000000.0006)}) {
            const std::string text = toString(date, DateFormatType::dotNet());
            const auto back = dotNet(text);
            ASSERT_TRUE(back.has_value()) << text << ' ' << name;
            EXPECT_NEAR(back->secondsSince1970(), date.secondsSince1970(), 0.0005) << text;   // nearest millisecond
        }
    }
}

TEST(DotNetFormatting, WritesTheMillisecondNearestTheExactInstant) {
    // Some 140,000 years out, the instant read is 0.39 ms past the whole one,
    // and times 1000 as a double it becomes a half that rounds the wrong way.
    DeviceZone utcDevice("UTC");
    for (const std::string text : {"/Date(4444444444444400+0000)/", "/Date(-4444444444444400+0000)/"}) {
        const auto date = dotNet(text);
        ASSERT_TRUE(date.has_value()) << text;
        EXPECT_EQ(toString(*date, DateFormatType::dotNet()), text);
    }
}

TEST(DotNetFormatting, WritesMillisecondsAndTheOffsetInHoursAndMinutes) {
    {
        DeviceZone india("Asia/Kolkata");   // +05:30 all year
        EXPECT_EQ(toString(Date::fromSecondsSince1970(-1.5), DateFormatType::dotNet()), "/Date(-1500+0530)/");
    }
    {
        DeviceZone utcDevice("UTC");
        EXPECT_EQ(toString(utc(1970, 1, 1, 0, 0, 0.5), DateFormatType::dotNet(), TimeZoneType::custom(3600)),
                  "/Date(500+0000)/");   // neither zone nor locale plays a part
    }
    DeviceZone newfoundland(datehelper_test::fixedZone(-(3 * 3600 + 30 * 60)));
    EXPECT_EQ(toString(Date::fromSecondsSince1970(1710000000), DateFormatType::dotNet()), "/Date(1710000000000-0330)/");
    EXPECT_EQ(toString(Date::fromSecondsSince1970(1e300), DateFormatType::dotNet()), "");
    EXPECT_EQ(toString(Date::fromSecondsSince1970(std::nan("")), DateFormatType::dotNet()), "");
}

TEST(StrictParsing, UsesTheUsersZoneAndNoLeniency) {
    EXPECT_EQ(toDate("2024-03-09", DateFormatType::isoDate()), datehelper_test::local(2024, 3, 9));
    EXPECT_FALSE(toDate("2024-02-30", DateFormatType::isoDate()));
    EXPECT_FALSE(toDate("", DateFormatType::isoDate()));
    EXPECT_FALSE(toDate("2024-03-09 extra", DateFormatType::isoDate()));
    EXPECT_FALSE(toDate("/Date(0)/", DateFormatType::dotNet()));   // no dotNet reading here
    EXPECT_EQ(toDate("2024-03-09T16:05:07+0000", DateFormatType::isoDateTimeSec()), utc(2024, 3, 9, 16, 5, 7));
    // Names in the user's locale, not the toolkit's Russian.
    Locale::setCurrentOverride(Locale::withIdentifier("en_GB"));
    EXPECT_EQ(toDate("Sat, 9 Mar 2024 16:05:07 +0000", DateFormatType::rss()), utc(2024, 3, 9, 16, 5, 7));
    EXPECT_FALSE(toDate("сб, 9 мар. 2024 16:05:07 +0000", DateFormatType::rss()));
    Locale::setCurrentOverride(Locale::withIdentifier("ru_RU"));
    EXPECT_EQ(toDate("сб, 9 мар. 2024 16:05:07 +0000", DateFormatType::rss()), utc(2024, 3, 9, 16, 5, 7));
    Locale::setCurrentOverride(std::nullopt);
}
