#include "dates_test_support.h"

#include "platform/core/locale.h"
#include "platform/core/time_zone.h"

#include <gtest/gtest.h>
#include <unicode/timezone.h>

#include <cmath>
#include <memory>
#include <string>

namespace {

using dates_test::EnvironmentGuard;
using dates_test::utc;
using platform::Locale;
using platform::TimeZone;

TEST(TimeZoneCurrent, FollowsTzWithinOneProcess) {
    EnvironmentGuard tz("TZ", "America/New_York");
    EXPECT_EQ(TimeZone::current().identifier(), "America/New_York");
    EXPECT_EQ(platform::Calendar::current().timeZone().identifier(), "America/New_York");

    tz.set(":Europe/London");
    EXPECT_EQ(TimeZone::current().identifier(), "Europe/London");

    tz.set("/usr/share/zoneinfo/Australia/Sydney");
    EXPECT_EQ(TimeZone::current().identifier(), "Australia/Sydney");

    // A calendar step made right after the change works in the new zone.
    tz.set("Pacific/Kiritimati");
    auto noon = platform::Calendar::current().date(dates_test::ymdhms(2026, 6, 1, 12));
    ASSERT_TRUE(noon);
    EXPECT_EQ(*noon, utc(2026, 5, 31, 22));
}

TEST(TimeZoneCurrent, UnknownOrEmptyTzIsUtc) {
    EnvironmentGuard tz("TZ", "Mars/Olympus_Mons");
    EXPECT_EQ(TimeZone::current().identifier(), "UTC");
    EXPECT_EQ(TimeZone::current().secondsFromGMT(utc(2026, 7, 1)), 0);
    tz.set("");
    EXPECT_EQ(TimeZone::current().identifier(), "UTC");
    // Values the C library would read by rules of its own (a default rule file,
    // clamped or ignored fields), rules no calendar zone can carry, and offsets
    // beyond 18 hours read as UTC too.
    for (const char* value : {"CET-1CEST", "GMT99", "GMT+0100", "JST-9xx", "GMT-3,", "EST5EDT,M3.2.0",
                              "EST5EDT,M3.2.0,M11.1.0,", "EST5EDT,M3.2.0,M11.1.0 ", "EST5EDT,M13.2.0,M11.1.0",
                              "<+03", "<>-3", "+03", "-3", "GMT-19", "AAA-12BBB-20,M3.2.0,M10.1.0",
                              "EST5EDT,100,200", "EDT4EDT,0/0,J365/25", "GMT-3\n", ",", "<"}) {
        tz.set(value);
        EXPECT_EQ(TimeZone::current().identifier(), "UTC") << value;
    }
}

// TZ values that are no zone name are POSIX strings, as the C library reads them:
// offsets west of Greenwich positive, then an optional yearly rule.
TEST(TimeZoneCurrent, PosixTzValuesReadAsTheCLibraryReadsThem) {
    EnvironmentGuard tz("TZ", "GMT-3");
    struct Fixed {
        const char* value;
        int seconds;
    };
    for (const Fixed& f : {Fixed{"GMT-3", 3 * 3600}, Fixed{"GMT+5", -5 * 3600}, Fixed{"GMT+05:30", -(5 * 3600 + 1800)},
                           Fixed{"JST-9", 9 * 3600}, Fixed{"<+03>-3", 3 * 3600}, Fixed{"UTC+2", -2 * 3600},
                           Fixed{":<+0545>-5:45", 5 * 3600 + 45 * 60}, Fixed{"abc-1:02:03", 3723},
                           Fixed{"GMT0", 0}}) {
        tz.set(f.value);
        const TimeZone zone = TimeZone::current();
        EXPECT_EQ(zone.secondsFromGMT(utc(2026, 1, 15)), f.seconds) << f.value;
        EXPECT_EQ(zone.secondsFromGMT(utc(2026, 7, 15)), f.seconds) << f.value;
        EXPECT_FALSE(zone.isDaylightSavingTime(utc(2026, 7, 15))) << f.value;
        // The zone is a fixed offset by its usual name, which reads back as the same zone.
        EXPECT_EQ(TimeZone::withIdentifier(zone.identifier()), zone) << f.value;
    }

    tz.set("EST5EDT,M3.2.0,M11.1.0");
    const TimeZone eastern = TimeZone::current();
    EXPECT_EQ(eastern.identifier(), "EST5EDT,M3.2.0,M11.1.0");
    EXPECT_EQ(eastern.secondsFromGMT(utc(2026, 1, 15)), -5 * 3600);
    EXPECT_EQ(eastern.secondsFromGMT(utc(2026, 7, 15)), -4 * 3600);
    EXPECT_TRUE(eastern.isDaylightSavingTime(utc(2026, 7, 15)));
    // Summer time begins at 02:00 EST on the second Sunday of March (8 March 2026).
    EXPECT_EQ(eastern.secondsFromGMT(utc(2026, 3, 8, 6, 59, 59)), -5 * 3600);
    EXPECT_EQ(eastern.secondsFromGMT(utc(2026, 3, 8, 7)), -4 * 3600);
    // The rule holds every year, 1900 and 2100 included, as the C library applies it.
    EXPECT_EQ(eastern.secondsFromGMT(utc(1900, 7, 1)), -4 * 3600);
    EXPECT_EQ(eastern.secondsFromGMT(utc(2100, 7, 1)), -4 * 3600);
    // Its identifier names the same zone again, and the calendar works in it.
    EXPECT_EQ(TimeZone::withIdentifier(eastern.identifier()), eastern);
    EXPECT_EQ(platform::Calendar::current().date(dates_test::ymdhms(2026, 7, 1, 12)), utc(2026, 7, 1, 16));

    // Zone files win over the POSIX reading of their names, as in the C library.
    tz.set("EST5EDT");
    EXPECT_EQ(TimeZone::current().identifier(), "EST5EDT");
    tz.set("Etc/GMT-3");
    EXPECT_EQ(TimeZone::current().secondsFromGMT(utc(2026, 1, 15)), 3 * 3600);
}

TEST(TimeZoneCurrent, WithoutTzReadsTheSystemZone) {
    EnvironmentGuard tz("TZ", nullptr);
    const TimeZone system = TimeZone::current();
    EXPECT_FALSE(system.identifier().empty());
    EXPECT_TRUE(TimeZone::withIdentifier(system.identifier()).has_value());
}

TEST(TimeZoneCurrent, OverrideWinsUntilCleared) {
    EnvironmentGuard tz("TZ", "UTC");
    TimeZone::setCurrentOverride(dates_test::zone("Asia/Tokyo"));
    EXPECT_EQ(TimeZone::current().identifier(), "Asia/Tokyo");
    tz.set("Europe/London");
    EXPECT_EQ(TimeZone::current().identifier(), "Asia/Tokyo");
    TimeZone::setCurrentOverride(std::nullopt);
    EXPECT_EQ(TimeZone::current().identifier(), "Europe/London");
}

// ICU never searches the host's zone itself (its tzset blocks on a FIFO): it
// is handed the zone the program reads, also after that zone changes. Reading
// the zone hands nothing.
TEST(TimeZoneCurrent, HandedToIcuOnlyWhenAsked) {
    auto icuDefault = [] {
        std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createDefault());
        std::string id;
        icu::UnicodeString name;
        zone->getID(name).toUTF8String(id);
        return id;
    };
    EnvironmentGuard tz("TZ", "Pacific/Kiritimati");
    TimeZone::handCurrentToIcu();
    EXPECT_EQ(icuDefault(), "Pacific/Kiritimati");
    tz.set("EST5EDT,M3.2.0,M11.1.0");
    EXPECT_EQ(TimeZone::current().identifier(), "EST5EDT,M3.2.0,M11.1.0");
    EXPECT_EQ(icuDefault(), "Pacific/Kiritimati");
    TimeZone::handCurrentToIcu();
    EXPECT_EQ(icuDefault(), "EST5EDT,M3.2.0,M11.1.0");
    TimeZone::setCurrentOverride(dates_test::zone("Asia/Tokyo"));
    TimeZone::handCurrentToIcu();
    EXPECT_EQ(icuDefault(), "Asia/Tokyo");
    TimeZone::setCurrentOverride(std::nullopt);
}

TEST(TimeZoneIdentifiers, KnownUnknownAndFixed) {
    EXPECT_TRUE(TimeZone::withIdentifier("Europe/London"));
    EXPECT_TRUE(TimeZone::withIdentifier("UTC"));
    EXPECT_FALSE(TimeZone::withIdentifier(""));
    EXPECT_FALSE(TimeZone::withIdentifier("Europe/Atlantis"));
    EXPECT_FALSE(TimeZone::withIdentifier("Etc/Unknown"));
    EXPECT_FALSE(TimeZone::withIdentifier(std::string_view("Europe/London\0x", 15)));

    auto east = TimeZone::withSecondsFromGMT(3600);
    ASSERT_TRUE(east);
    EXPECT_EQ(east->identifier(), "GMT+0100");
    EXPECT_EQ(east->secondsFromGMT(utc(2026, 1, 1)), 3600);
    EXPECT_FALSE(east->isDaylightSavingTime(utc(2026, 7, 1)));
    auto west = TimeZone::withSecondsFromGMT(-(3 * 3600 + 30 * 60));
    ASSERT_TRUE(west);
    EXPECT_EQ(west->identifier(), "GMT-0330");
    EXPECT_EQ(TimeZone::withIdentifier("GMT-0330"), west);
    EXPECT_EQ(TimeZone::withSecondsFromGMT(0)->secondsFromGMT(utc(2026, 7, 1)), 0);
    EXPECT_FALSE(TimeZone::withSecondsFromGMT(18 * 3600 + 1));
    EXPECT_TRUE(TimeZone::withSecondsFromGMT(-18 * 3600));
}

TEST(TimeZoneOffsets, DaylightSavingAndBadInstants) {
    const TimeZone london = dates_test::zone("Europe/London");
    EXPECT_EQ(london.secondsFromGMT(utc(2026, 1, 15)), 0);
    EXPECT_EQ(london.secondsFromGMT(utc(2026, 7, 15)), 3600);
    EXPECT_TRUE(london.isDaylightSavingTime(utc(2026, 7, 15)));
    EXPECT_FALSE(london.isDaylightSavingTime(utc(2026, 1, 15)));
    const TimeZone sydney = dates_test::zone("Australia/Sydney");
    EXPECT_EQ(sydney.secondsFromGMT(utc(2026, 1, 15)), 11 * 3600);
    EXPECT_EQ(sydney.secondsFromGMT(utc(2026, 7, 15)), 10 * 3600);
    // Instants no calendar holds read the standard offset instead of failing.
    EXPECT_EQ(sydney.secondsFromGMT(platform::Date::fromSecondsSince1970(std::nan(""))), 10 * 3600);
    EXPECT_EQ(london.secondsFromGMT(platform::Date::fromSecondsSince1970(1e300)), 0);
}

TEST(LocaleCurrent, ReadsLcAllThenLcTimeThenLang) {
    EnvironmentGuard all("LC_ALL", nullptr);
    EnvironmentGuard time("LC_TIME", nullptr);
    EnvironmentGuard lang("LANG", "en_GB.UTF-8");
    EXPECT_EQ(Locale::current().identifier(), "en_GB");
    time.set("de_DE@euro");
    EXPECT_EQ(Locale::current().identifier(), "de_DE");
    all.set("fr_FR.ISO-8859-1");
    EXPECT_EQ(Locale::current().identifier(), "fr_FR");
    all.set("");   // empty counts as unset
    EXPECT_EQ(Locale::current().identifier(), "de_DE");
    time.set(nullptr);
    for (const char* posix : {"C", "POSIX", "C.UTF-8", ""}) {
        lang.set(posix);
        EXPECT_EQ(Locale::current().identifier(), "en_US_POSIX") << posix;
    }
    lang.set(nullptr);
    EXPECT_EQ(Locale::current().identifier(), "en_US_POSIX");
}

TEST(LocaleCurrent, OverrideWinsUntilCleared) {
    EnvironmentGuard all("LC_ALL", "en_GB.UTF-8");
    Locale::setCurrentOverride(Locale::withIdentifier("en_US"));
    EXPECT_EQ(Locale::current().identifier(), "en_US");
    Locale::setCurrentOverride(std::nullopt);
    EXPECT_EQ(Locale::current().identifier(), "en_GB");
}

TEST(DateNow, HasSubSecondPrecision) {
    const platform::Date first = platform::Date::now();
    bool sawFraction = false;
    for (int i = 0; i < 1000 && !sawFraction; ++i) {
        const double s = platform::Date::now().secondsSince1970();
        sawFraction = s != std::floor(s);
    }
    EXPECT_TRUE(sawFraction);
    EXPECT_GE(platform::Date::now(), first);
    EXPECT_GT(first.secondsSince1970(), utc(2024, 1, 1).secondsSince1970());
}

} // namespace
