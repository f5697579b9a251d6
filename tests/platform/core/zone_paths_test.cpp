// TZ values that name a zone file by a path, wherever the file lies,
// leap-second zones, and an unset TZ with a copy of a zone file at
// /etc/localtime: the program reads the zone the C library reads, hour by hour
// over a year, and leaves such a TZ as it is.

#include "dates_test_support.h"

#include "platform/core/calendar.h"
#include "platform/core/internal/icu_support.h"
#include "platform/core/julian_day_numbers.h"
#include "platform/core/time_zone.h"
#include "platform/core/zone_environment.h"
#include "support/child_process.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;
using dates_test::EnvironmentGuard;
using platform::TimeZone;

constexpr std::int64_t july2016 = 1467331200;   // 2016-07-01T00:00Z; the year holds a leap second

// The offset of the wall clock the C library shows at t: its tm_gmtoff, less
// the leap seconds it counts in a leap-second zone. Fields are summed by hand:
// timegm counts leap seconds there too.
std::int64_t cLibraryWallOffset(std::int64_t t) {
    const auto instant = static_cast<std::time_t>(t);
    std::tm fields{};
    ::localtime_r(&instant, &fields);
    const std::int64_t day =
        astronomy::gregorianDayNumber(fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday) -
        astronomy::unixEpochDayNumber;
    return day * 86400 + fields.tm_hour * 3600 + fields.tm_min * 60 + fields.tm_sec - t;
}

// What differs between the program and the C library under TZ=value (unset for
// nullptr), as text; empty where they agree: the zone's name, its offset at
// each hour of a year, ICU's default zone, and TZ left as it was.
std::string disagreement(const char* value, const std::string& identifier) {
    // The C library keeps the file it read last while one at its path has the
    // same inode and second of change, which a file of a scratch folder made
    // since may well have: a TZ that names no file makes it forget it.
    ::setenv("TZ", "UTC0", 1);
    ::tzset();
    if (value) ::setenv("TZ", value, 1);
    if (!value) ::unsetenv("TZ");
    ::tzset();
    const TimeZone zone = TimeZone::current();
    if (zone.identifier() != identifier) return "zone " + zone.identifier() + ", not " + identifier;
    for (std::int64_t t = july2016; t < july2016 + 366 * 86400; t += 3600) {
        const int program = zone.secondsFromGMT(platform::Date::fromSecondsSince1970(static_cast<double>(t)));
        if (program != cLibraryWallOffset(t)) {
            return "at " + std::to_string(t) + " the program's offset is " + std::to_string(program) +
                   ", the C library's " + std::to_string(cLibraryWallOffset(t));
        }
    }
    TimeZone::handCurrentToIcu();
    const std::unique_ptr<icu::TimeZone> icuZone(icu::TimeZone::createDefault());
    std::int32_t raw = 0;
    std::int32_t daylight = 0;
    UErrorCode status = U_ZERO_ERROR;
    icuZone->getOffset(1484438400000.0, false, raw, daylight, status);   // 2017-01-15
    if ((raw + daylight) / 1000 != cLibraryWallOffset(1484438400)) return "ICU's default zone is another";
    if (const auto change = platform::makeZoneEnvironmentSafe()) return change->line();
    const char* now = std::getenv("TZ");
    return (now && value ? std::string(now) == value : now == value) ? "" : "TZ was rewritten";
}

// What `check` says in a child whose /etc is the folder `etc`, bound over it in
// a mount namespace of the child's own; std::nullopt where the system gives the
// child none.
std::optional<std::string> saidWithEtc(const fs::path& etc, const std::function<std::string()>& check) {
    const auto run = testsupport::runInChild([&] {
        if (::unshare(CLONE_NEWNS) != 0) ::_exit(77);
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount(etc.c_str(), "/etc", nullptr, MS_BIND, nullptr) != 0) {
            ::_exit(78);
        }
        return check();
    });
    if (run.pid <= 0 || !WIFEXITED(run.status)) return "no child, or one that did not end";
    if (WEXITSTATUS(run.status) == 77) return std::nullopt;
    return WEXITSTATUS(run.status) == 0 ? run.output : "the child could not mount /etc or report";
}

class ZonePaths : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(scratch_.made()); }

    testsupport::ScratchFolder scratch_{"zone-paths"};
    EnvironmentGuard tz_{"TZ", nullptr};
    EnvironmentGuard tzdir_{"TZDIR", nullptr};
};

TEST_F(ZonePaths, EveryPathToAZoneFileReadsAsTheCLibraryReadsIt) {
    const fs::path copy = scratch_.path() / "tokyo";
    fs::copy_file("/usr/share/zoneinfo/Asia/Tokyo", copy);
    const std::string copyValue = ":" + copy.string();
    EXPECT_EQ(disagreement(copyValue.c_str(), fs::canonical(copy).string()), "");
    EXPECT_EQ(disagreement("Europe/../Asia/Tokyo", "Asia/Tokyo"), "");
    EXPECT_EQ(disagreement("../zoneinfo/Europe/London", "Europe/London"), "");
}

// The C library shows the wall clock less the leap seconds counted (27 since
// 2017); the leap second itself, 23:59:60 there, is 23:59:59 again here.
TEST_F(ZonePaths, LeapSecondZonesShowTheCLibrarysWallClock) {
    if (!fs::exists("/usr/share/zoneinfo/right/Asia/Tokyo")) GTEST_SKIP() << "no right/ zones on this system";
    EXPECT_EQ(disagreement("right/Asia/Tokyo", "right/Asia/Tokyo"), "");
    EXPECT_EQ(disagreement(":/usr/share/zoneinfo/right/Europe/London", "right/Europe/London"), "");
    // ICU finds Tokyo's names under the zone's own identifier.
    const auto icuZone = platform::icu_support::zoneNamed("right/Asia/Tokyo");
    ASSERT_TRUE(icuZone);
    icu::UnicodeString id;
    icuZone->getID(id);
    EXPECT_EQ(platform::icu_support::toUtf8(id), "Asia/Tokyo");

    ::setenv("TZ", "right/Asia/Tokyo", 1);
    ::tzset();
    constexpr std::int64_t leapSecond = 1483228826;   // 2017-01-01T00:00Z with the 26 before it counted
    for (std::int64_t t = leapSecond - 2; t <= leapSecond + 2; ++t) {
        const int program =
            TimeZone::current().secondsFromGMT(platform::Date::fromSecondsSince1970(static_cast<double>(t)));
        EXPECT_EQ(program, cLibraryWallOffset(t) - (t == leapSecond ? 1 : 0)) << t;
    }
}

// A zone whose rule runs on from before its leap seconds, as zic writes it
// without the transitions the rule implies: the file is the C library's to read.
TEST_F(ZonePaths, ARuleRunsOnBeforeTheLastLeapSecond) {
    const fs::path folder = scratch_.path();
    std::ofstream(folder / "source") << "Rule T 2000 max - Mar lastSun 1:00u 1:00 -\n"
                                        "Rule T 2000 max - Oct lastSun 1:00u 0 -\n"
                                        "Zone Test/Slim 0 - GMT 1990\n"
                                        "\t0 T GMT/BST\n";
    // The leap seconds without the date the list expires, after which zic writes no rule.
    std::ifstream list("/usr/share/zoneinfo/leapseconds");
    std::ofstream leaps(folder / "leaps");
    for (std::string line; std::getline(list, line);) {
        if (line.rfind("Leap", 0) == 0) leaps << line << '\n';
    }
    leaps.close();
    const std::string zic = "cd '" + folder.string() + "' && zic -b slim -L leaps -d . source 2>/dev/null";
    if (!list.eof() || std::system(zic.c_str()) != 0) GTEST_SKIP() << "no leap-second list or zic here";
    const std::string value = ":" + (folder / "Test/Slim").string();
    EXPECT_EQ(disagreement(value.c_str(), fs::canonical(folder / "Test/Slim").string()), "");
}

// A host whose /etc/localtime links to Tokyo, named by TZ.
TEST_F(ZonePaths, TheSystemsLinkNamedByTz) {
    const fs::path etc = scratch_.path() / "etc";
    fs::create_directories(etc);
    fs::create_symlink("../usr/share/zoneinfo/Asia/Tokyo", etc / "localtime");
    const auto said = saidWithEtc(etc, [] {
        ::setenv("TZ", "UTC", 1);   // whatever TZ the parent read last, this one is read anew
        TimeZone::current();
        return disagreement(":/etc/localtime", "Asia/Tokyo");
    });
    if (!said) GTEST_SKIP() << "unshare(CLONE_NEWNS) refused: no private mount namespace";
    EXPECT_EQ(*said, "");
}

// With TZ unset, a host whose /etc/localtime is a copy of a zone file: the C
// library reads its rules, and UTC from a file that is no zone file. The copy
// is named by /etc/timezone where that zone's file holds the same bytes, else
// by its path, with a number for a later version. A FIFO there is never opened.
TEST_F(ZonePaths, ACopyAtEtcLocaltimeWithTzUnset) {
    const fs::path etc = scratch_.path() / "etc";
    fs::create_directories(etc);
    const auto said = saidWithEtc(etc, [] {
        std::string text;
        auto expect = [&text](const char* copyOf, const char* named, const std::string& identifier,
                              const std::string& line = "") {
            // A new file renamed in place: the C library tells a change by the inode.
            if (copyOf) fs::copy_file(std::string("/usr/share/zoneinfo/") + copyOf, "/etc/new");
            if (!copyOf) std::ofstream("/etc/new") << "Asia/Tokyo\n";
            fs::rename("/etc/new", "/etc/localtime");
            if (named) std::ofstream("/etc/timezone") << named << '\n';
            TimeZone::setCurrentOverride(std::nullopt);   // read /etc/localtime anew
            // A later version of a copy: its path, "//" and a number.
            ::unsetenv("TZ");
            const std::string now = TimeZone::current().identifier();
            const bool later = identifier.ends_with("//") && now.starts_with(identifier) &&
                               now.find_first_not_of("0123456789", identifier.size()) == std::string::npos;
            const std::string found = disagreement(nullptr, later ? now : identifier);
            if (found != line) text += identifier + ": " + found + '\n';
        };
        expect("Asia/Tokyo", nullptr, "/etc/localtime");
        expect("America/New_York", nullptr, "/etc/localtime//");
        expect("America/New_York", "America/New_York", "America/New_York");
        expect("America/New_York", "Europe/London", "/etc/localtime//");
        expect(nullptr, nullptr, "UTC", "Vadididod: /etc/localtime is no regular zone file; TZ is now \":\" (UTC).");

        fs::remove("/etc/localtime");
        ::mkfifo("/etc/localtime", 0600);
        ::unsetenv("TZ");
        TimeZone::setCurrentOverride(std::nullopt);
        if (TimeZone::current() != TimeZone::utc()) text += "a FIFO reads as " + TimeZone::current().identifier();
        const auto change = platform::makeZoneEnvironmentSafe();
        // The C library, which would wait on the FIFO, is asked only once TZ names none.
        if (!change || change->tz != ":") return text + "TZ still leaves the C library the FIFO";
        ::tzset();
        if (cLibraryWallOffset(july2016) != 0) text += "the C library reads no UTC";
        return text;
    });
    if (!said) GTEST_SKIP() << "unshare(CLONE_NEWNS) refused: no private mount namespace";
    EXPECT_EQ(*said, "");
}

// A TZ naming a copy outside the zone folder reads the copy as it is when TZ
// is read again, also after the copy changed.
TEST_F(ZonePaths, ACopyNamedByTzIsReadAsItIsWhenTzIsReadAgain) {
    const fs::path copy = scratch_.path() / "copy";
    const std::string value = ":" + copy.string();
    const auto july = platform::Date::fromSecondsSince1970(static_cast<double>(july2016));
    for (const auto& [zone, offset] : {std::pair{"Asia/Tokyo", 9 * 3600}, std::pair{"Europe/London", 3600},
                                       std::pair{"Asia/Tokyo", 9 * 3600}}) {
        fs::copy_file(std::string("/usr/share/zoneinfo/") + zone, scratch_.path() / "new");
        fs::rename(scratch_.path() / "new", copy);
        tz_.set("UTC");
        TimeZone::current();   // TZ read as another value in between
        tz_.set(value.c_str());
        EXPECT_EQ(TimeZone::current().secondsFromGMT(july), offset) << zone;
    }
}

// A copy at /etc/localtime replaced again and again, in turn by Tokyo's and
// London's rules: every time, the zone current() reads, and the hour a calendar
// in it shows, are those of the copy as it is now, under a name no other
// version of the copy had.
TEST_F(ZonePaths, ACopyAtEtcLocaltimeReadsAsItIsNowHoweverOftenItChanges) {
    const fs::path etc = scratch_.path() / "etc";
    fs::create_directories(etc);
    const auto said = saidWithEtc(etc, [] {
        ::unsetenv("TZ");
        constexpr int changes = 70;
        const auto july = platform::Date::fromSecondsSince1970(static_cast<double>(july2016));
        std::string text;
        std::set<std::string> names;
        std::string before;
        for (int change = 0; change < changes; ++change) {
            const bool tokyo = change % 2 == 0;
            // A new file renamed in place: another inode and size, so another version.
            fs::copy_file(tokyo ? "/usr/share/zoneinfo/Asia/Tokyo" : "/usr/share/zoneinfo/Europe/London",
                          "/etc/new");
            fs::rename("/etc/new", "/etc/localtime");
            TimeZone::setCurrentOverride(std::nullopt);   // read /etc/localtime anew
            const TimeZone zone = TimeZone::current();
            const int offset = zone.secondsFromGMT(july);
            const int hour = platform::Calendar::current().component(platform::CalendarComponent::hour, july);
            const std::string at = "change " + std::to_string(change) + " (" + zone.identifier() + "): ";
            if (offset != (tokyo ? 9 : 1) * 3600) text += at + "offset " + std::to_string(offset) + '\n';
            if (hour != (tokyo ? 9 : 1)) text += at + "hour " + std::to_string(hour) + '\n';
            if (zone.identifier().rfind("/etc/localtime", 0) != 0 || !names.insert(zone.identifier()).second) {
                text += at + "named as another version, or not by its path\n";
            }
            // A zone made from the version before keeps that version's rules.
            const auto earlier = before.empty() ? std::nullopt : TimeZone::withIdentifier(before);
            if (!before.empty() && (!earlier || earlier->secondsFromGMT(july) != (tokyo ? 1 : 9) * 3600)) {
                text += at + before + " lost its rules\n";
            }
            before = zone.identifier();
        }
        return text;
    });
    if (!said) GTEST_SKIP() << "unshare(CLONE_NEWNS) refused: no private mount namespace";
    EXPECT_EQ(*said, "");
}

} // namespace
