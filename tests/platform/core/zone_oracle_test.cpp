// The layer's zones against glibc reading the same TZ values (zone names, whose
// system files both read, and POSIX rule strings): offsets at many instants, the
// first moment of the days around each clock change, and the instants of wall
// times around each change. Each case sets TZ itself, so the cases hold under
// whatever TZ the run has.

#include "dates_test_support.h"
#include "zone_oracle.h"

#include "platform/core/calendar.h"
#include "platform/core/date_formatter.h"
#include "platform/core/internal/system_zone_data.h"
#include "platform/core/time_zone.h"

#include <gtest/gtest.h>

#include <unicode/basictz.h>

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

using platform::Calendar;
using platform::Date;
using platform::TimeZone;
using zone_oracle::GlibcZone;

constexpr std::int64_t k1900 = -2208988800;
constexpr std::int64_t k1970 = 0;
constexpr std::int64_t k2040 = 2208988800;
constexpr std::int64_t k2100 = 4102444800;
constexpr std::int64_t k400Years = 146097LL * 86400;

// A test name from a TZ value: letters and digits kept, signs spelled out.
std::string tagOf(const char* value) {
    std::string tag;
    for (const char* c = value; *c; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c))) {
            tag += *c;
        } else if (*c == '+') {
            tag += "plus";
        } else if (*c == '-') {
            tag += "minus";
        } else {
            tag += '_';
        }
    }
    return tag;
}

Date at(std::int64_t seconds) {
    return Date::fromSecondsSince1970(static_cast<double>(seconds));
}

// Zones with daylight saving below their standard time in the system's data
// (Ireland's winter, Morocco's Ramadan) or in a rule, which the layer reads the
// other way round.
bool hasNegativeDaylightSaving(const std::string& zone) {
    return zone == "Europe/Dublin" || zone == "Africa/Casablanca" || zone == "IST-1GMT0,M10.5.0,M3.5.0/1";
}

// The zone TZ names, as the user's current zone.
class TzValueAgainstGlibc : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        dates_test::EnvironmentGuard tz("TZ", GetParam());
        zone_ = TimeZone::current();
        const std::string value = GetParam();
        ASSERT_TRUE(zone_ != TimeZone::utc() || value == "UTC") << value << " read as the fallback";
        calendar_ = Calendar::gregorian(zone_, platform::Locale::withIdentifier("en_GB"));
    }

    TimeZone zone_ = TimeZone::utc();
    Calendar calendar_ = Calendar::gregorian(TimeZone::utc(), platform::Locale::withIdentifier("en_GB"));
};

TEST_P(TzValueAgainstGlibc, OffsetsAgreeAroundEveryChangeAndAcrossTwoCenturies) {
    const std::string name = GetParam();
    const GlibcZone glibc(name);
    const auto changes = glibc.changes(k1970, k2040);
    int checked = 0;
    int offsetMismatches = 0;
    int flagMismatches = 0;
    // glibc applies a POSIX rule from 1970 on only: in earlier years it takes the
    // changes of 1970, and so keeps northern zones on standard time and southern
    // ones on daylight time all year. The rule holds in every year; as the
    // calendar repeats itself every 400 years, weekdays included, its offsets in
    // an earlier year are glibc's 400 years later.
    const bool isRule = name.find(',') != std::string::npos;
    auto oracleInstant = [&](std::int64_t t) { return isRule && t < k1970 ? t + k400Years : t; };
    auto check = [&](std::int64_t t) {
        ++checked;
        const int expected = glibc.offset(oracleInstant(t));
        const int actual = zone_.secondsFromGMT(at(t));
        if (actual != expected && ++offsetMismatches <= 5) {
            ADD_FAILURE() << name << " at " << t << ": layer " << actual << " s, glibc " << expected << " s";
        }
        if (!hasNegativeDaylightSaving(name) &&
            zone_.isDaylightSavingTime(at(t)) != glibc.isDaylightSaving(oracleInstant(t)) && ++flagMismatches <= 5) {
            ADD_FAILURE() << name << " daylight flag at " << t;
        }
    };
    for (std::int64_t change : changes) {
        check(change - 1);
        check(change);
        for (int hour = -48; hour <= 48; ++hour) check(change + hour * 3600);
    }
    for (std::int64_t t = k1970; t < k2040; t += 6 * 3600 + 17) check(t);
    for (std::int64_t t = k1900; t < k2100; t += 7 * 86400 + 3 * 3600 + 37 * 60) check(t);
    std::cout << "[ oracle ] " << name << ": " << changes.size() << " changes 1970-2040, " << checked
              << " instants, " << offsetMismatches << " offset and " << flagMismatches
              << " daylight-flag mismatches\n";
    EXPECT_EQ(offsetMismatches, 0);
    EXPECT_EQ(flagMismatches, 0);
}

TEST_P(TzValueAgainstGlibc, DaysAroundEveryChangeStartAtTheFirstMomentOfTheirDate) {
    const std::string name = GetParam();
    const GlibcZone glibc(name);
    const auto changes = glibc.changes(k1970, k2040);
    const auto stretches = zone_oracle::stretchesOf(glibc, changes);
    int mismatches = 0;
    for (std::int64_t change : changes) {
        const std::int64_t localDay = zone_oracle::floorDivide(change + glibc.offset(change - 1), 86400);
        for (std::int64_t day = localDay - 2; day <= localDay + 2; ++day) {
            const std::int64_t expected = zone_oracle::startOfLocalDay(stretches, day);
            // Ask from the day's first moment and from later in the day.
            for (std::int64_t later : {0, 3600 * 13}) {
                const std::int64_t probe = expected + later;
                if (zone_oracle::floorDivide(probe + glibc.offset(probe), 86400) != day) continue;
                const Date start = calendar_.startOfDay(at(probe));
                if (start != at(expected) && ++mismatches <= 5) {
                    ADD_FAILURE() << name << " day " << day << ": layer " << start.secondsSince1970() << ", glibc "
                                  << expected;
                }
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST_P(TzValueAgainstGlibc, WallTimesAroundEveryChangeResolveAsTheCalendarPromises) {
    const std::string name = GetParam();
    const GlibcZone glibc(name);
    const auto changes = glibc.changes(k1970, k2040);
    const auto stretches = zone_oracle::stretchesOf(glibc, changes);
    int mismatches = 0;
    for (std::int64_t change : changes) {
        const std::int64_t before = glibc.offset(change - 1);
        const std::int64_t after = glibc.offset(change);
        const std::int64_t first = change + std::min(before, after) - 3 * 3600;
        const std::int64_t last = change + std::max(before, after) + 3 * 3600;
        for (std::int64_t wall = first; wall <= last; wall += 900) {
            const time_t wallAsUtc = static_cast<time_t>(wall);
            struct tm fields {};
            ::gmtime_r(&wallAsUtc, &fields);
            const auto built = calendar_.date(dates_test::ymdhms(fields.tm_year + 1900, fields.tm_mon + 1,
                                                                 fields.tm_mday, fields.tm_hour, fields.tm_min,
                                                                 fields.tm_sec));
            const std::int64_t expected = zone_oracle::instantOfWallTime(stretches, wall);
            if ((!built || *built != at(expected)) && ++mismatches <= 5) {
                ADD_FAILURE() << name << " wall time " << wall << ": layer "
                              << (built ? built->secondsSince1970() : -1.0) << ", expected " << expected;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// The five zones every test runs under, zones whose rules changed after the data
// ICU 72 carries, and zones with unusual rules: negative daylight saving (Dublin,
// Casablanca), half-hour saving (Lord Howe), a two-hour saving (Troll), a skipped
// day (Apia), midnight changes (Havana, Asuncion, Cairo).
INSTANTIATE_TEST_SUITE_P(ZoneFiles, TzValueAgainstGlibc,
                         testing::Values("UTC", "Europe/London", "America/New_York", "Australia/Sydney",
                                         "Pacific/Kiritimati", "America/Havana", "Asia/Jerusalem",
                                         "America/Mexico_City", "America/Nuuk", "Asia/Almaty", "America/Asuncion",
                                         "Africa/Cairo", "Europe/Dublin", "Australia/Lord_Howe", "Pacific/Apia",
                                         "Antarctica/Troll", "Africa/Casablanca"),
                         [](const testing::TestParamInfo<const char*>& param) { return tagOf(param.param); });

// POSIX TZ strings no zone file is named after: fixed offsets, written west of
// Greenwich positive (GMT-3 is three hours east), and yearly rules in both
// hemispheres, with negative and half-hour saving, rule times past midnight,
// before it and in the other day count forms, and an explicit daylight offset.
INSTANTIATE_TEST_SUITE_P(PosixRules, TzValueAgainstGlibc,
                         testing::Values("GMT-3", "GMT+5", "GMT+05:30", "JST-9", "<+03>-3", "UTC+2", ":UTC-14",
                                         "<-0930>9:30", "EST5EDT,M3.2.0,M11.1.0", "CET-1CEST,M3.5.0,M10.5.0/3",
                                         "AEST-10AEDT,M10.1.0,M4.1.0/3", "IST-1GMT0,M10.5.0,M3.5.0/1",
                                         "<+1030>-10:30<+11>-11,M10.1.0,M4.1.0", "<-03>3<-02>,M3.2.0/-1,M11.1.0/25",
                                         "NZST-12NZDT,M9.5.0/2:45,M4.1.0/2:45", "XST3XDT2,J60/2,J300/2",
                                         "YST4YDT,10/2,50/3", "<-04>4<-03>,M9.1.6/24,M4.1.6/24"),
                         [](const testing::TestParamInfo<const char*>& param) { return tagOf(param.param); });

// Zones whose rules changed after 2022e, at instants where the system's data and
// the older data disagree.
TEST(SystemZoneData, FollowsRuleChangesAfterIcusOwnData) {
    // Mexico stopped summer time in October 2022.
    EXPECT_EQ(dates_test::zone("America/Mexico_City").secondsFromGMT(dates_test::utc(2024, 7, 1, 12)), -6 * 3600);
    // Greenland moved its standard time to UTC-2 in March 2023.
    EXPECT_EQ(dates_test::zone("America/Nuuk").secondsFromGMT(dates_test::utc(2024, 1, 15)), -2 * 3600);
    // Kazakhstan unified on UTC+5 in March 2024.
    EXPECT_EQ(dates_test::zone("Asia/Almaty").secondsFromGMT(dates_test::utc(2024, 6, 1)), 5 * 3600);
    // Paraguay kept summer time all year from October 2024.
    EXPECT_EQ(dates_test::zone("America/Asuncion").secondsFromGMT(dates_test::utc(2025, 7, 1)), -3 * 3600);
    // Egypt brought summer time back in 2023.
    EXPECT_EQ(dates_test::zone("Africa/Cairo").secondsFromGMT(dates_test::utc(2024, 7, 1)), 3 * 3600);

    // A local midnight in Mexico City is 06:00 UTC the year round now.
    const auto mexico = dates_test::calendarIn("America/Mexico_City");
    EXPECT_EQ(mexico.startOfDay(dates_test::utc(2024, 7, 1, 18)), dates_test::utc(2024, 7, 1, 6));
    EXPECT_EQ(mexico.date(dates_test::ymdhms(2024, 7, 1, 12)), dates_test::utc(2024, 7, 1, 18));
}

TEST(SystemZoneData, DisplayNamesStillComeFromIcu) {
    auto formatted = [](const char* zone, const char* pattern, Date date) {
        platform::DateFormatter formatter;
        formatter.setLocale(platform::Locale::withIdentifier("en_GB"));
        formatter.setTimeZone(dates_test::zone(zone));
        formatter.setDateFormat(pattern);
        return formatter.string(date);
    };
    EXPECT_EQ(formatted("Europe/London", "zzzz", dates_test::utc(2026, 1, 15)), "Greenwich Mean Time");
    EXPECT_EQ(formatted("Europe/London", "zzzz", dates_test::utc(2026, 7, 15)), "British Summer Time");
    EXPECT_EQ(formatted("Europe/London", "z", dates_test::utc(2026, 7, 15)), "BST");
    // Ireland's summer is its daylight time for ICU's names too.
    EXPECT_EQ(formatted("Europe/Dublin", "zzzz", dates_test::utc(2026, 7, 15)), "Irish Standard Time");
    EXPECT_EQ(formatted("Europe/Dublin", "zzzz", dates_test::utc(2026, 1, 15)), "Greenwich Mean Time");
    EXPECT_EQ(formatted("America/New_York", "zzzz", dates_test::utc(2026, 7, 15)), "Eastern Daylight Time");
    EXPECT_EQ(formatted("America/New_York", "HH:mm zzzz", dates_test::utc(2026, 1, 15, 17)),
              "12:00 Eastern Standard Time");
    EXPECT_TRUE(dates_test::zone("Europe/Dublin").isDaylightSavingTime(dates_test::utc(2026, 7, 15)));
    EXPECT_FALSE(dates_test::zone("Europe/Dublin").isDaylightSavingTime(dates_test::utc(2026, 1, 15)));
}

// The system's files compiled the slim way (zic -b slim) record changes only until
// the yearly rule takes over, so the rule carries the offsets from as early as
// 1996 or 2007 on: the rule, and the changes it makes in the year of the last
// recorded change, must agree with glibc reading the same files.
TEST(SystemZoneData, SlimFilesAgreeWithGlibcThroughTheirRules) {
    const char* source = "/usr/share/zoneinfo/tzdata.zi";
    if (!std::filesystem::exists("/usr/sbin/zic") || !std::filesystem::exists(source)) {
        GTEST_SKIP() << "zic or the tz database source is not installed";
    }
    const auto folder = std::filesystem::temp_directory_path() / ("vadididod-slim-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string command = "/usr/sbin/zic -b slim -d '" + folder.string() + "' " + source + " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);

    int checked = 0;
    int mismatches = 0;
    for (const char* name : {"Europe/London", "America/New_York", "Australia/Sydney", "America/Havana",
                             "Asia/Jerusalem", "America/Nuuk", "America/Asuncion", "Africa/Cairo", "Europe/Dublin",
                             "Australia/Lord_Howe", "Antarctica/Troll", "Pacific/Auckland", "America/Santiago",
                             "America/St_Johns", "Pacific/Chatham", "Asia/Gaza", "Africa/Casablanca"}) {
        const GlibcZone glibc(name, folder.c_str());
        auto zone = platform::system_zone_data::zoneFromSystemData(name);
        ASSERT_TRUE(zone) << name;
        for (std::int64_t t = k1970; t < k2100; t += 9 * 3600 + 13 * 60) {
            std::int32_t raw = 0;
            std::int32_t daylight = 0;
            UErrorCode status = U_ZERO_ERROR;
            zone->getOffset(static_cast<double>(t) * 1000.0, false, raw, daylight, status);
            ++checked;
            if ((U_FAILURE(status) || (raw + daylight) / 1000 != glibc.offset(t)) && ++mismatches <= 5) {
                ADD_FAILURE() << name << " (slim) at " << t << ": layer " << (raw + daylight) / 1000 << ", glibc "
                              << glibc.offset(t);
            }
        }
    }
    std::filesystem::remove_all(folder);
    std::cout << "[ oracle ] slim files: " << checked << " instants, " << mismatches << " mismatches\n";
    EXPECT_EQ(mismatches, 0);
}

} // namespace
