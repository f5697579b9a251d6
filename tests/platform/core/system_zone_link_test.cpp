// The system's zone as /etc/localtime names it: read once a second, not once per
// question, and a change of the link followed within that second.
//
// This binary counts the readlink calls the layer makes: its own readlink stands
// in for the C library's and passes every call on to the kernel.

#include "dates_test_support.h"

#include "platform/core/internal/system_zone_link.h"
#include "platform/core/time_zone.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {
std::atomic<int> systemLinkReads{0};
} // namespace

extern "C" ssize_t readlink(const char* __restrict path, char* __restrict buffer, size_t size) noexcept {
    if (std::strcmp(path, "/etc/localtime") == 0) ++systemLinkReads;
    return ::syscall(SYS_readlinkat, AT_FDCWD, path, buffer, size);
}

namespace {

namespace fs = std::filesystem;
using dates_test::EnvironmentGuard;
using platform::TimeZone;
using platform::system_zone_link::Watch;
using namespace std::chrono_literals;

TEST(SystemZoneLink, CurrentReadsTheLinkAtMostOnceASecond) {
    EnvironmentGuard tz("TZ", nullptr);
    const int before = systemLinkReads;
    const TimeZone first = TimeZone::current();
    for (int i = 0; i < 10'000; ++i) ASSERT_EQ(TimeZone::current(), first);
    // The calls take a few milliseconds: one reading, two should a second start
    // among them.
    EXPECT_LE(systemLinkReads - before, 2);
    // The override and TZ still win at once.
    TimeZone::setCurrentOverride(dates_test::zone("Asia/Tokyo"));
    EXPECT_EQ(TimeZone::current().identifier(), "Asia/Tokyo");
    TimeZone::setCurrentOverride(std::nullopt);
    tz.set("Europe/London");
    EXPECT_EQ(TimeZone::current().identifier(), "Europe/London");
    tz.set(nullptr);
    EXPECT_EQ(TimeZone::current(), first);
}

// A folder with a link of our own in place of /etc/localtime.
class LinkFolder {
public:
    std::string link() const { return (folder_.path() / "localtime").string(); }
    std::string name() const { return (folder_.path() / "timezone").string(); }
    // The zone a Watch reads there first.
    TimeZone zone() const { return Watch(link(), name(), 1s).zone({}); }
    void pointAt(const std::string& target) const {
        std::error_code ignored;
        fs::remove(link(), ignored);
        fs::create_symlink(target, link());
    }
    bool ok() const { return folder_.made(); }

private:
    testsupport::ScratchFolder folder_{"link"};
};

TEST(SystemZoneLink, AWatchFollowsAChangeOfTheLinkAfterItsInterval) {
    LinkFolder folder;
    ASSERT_TRUE(folder.ok());
    folder.pointAt("/usr/share/zoneinfo/Europe/London");
    Watch watch(folder.link(), folder.name(), 1s);
    const Watch::Clock::time_point start{};
    EXPECT_EQ(watch.zone(start).identifier(), "Europe/London");

    folder.pointAt("../usr/share/zoneinfo/posix/Asia/Tokyo");
    EXPECT_EQ(watch.zone(start + 999ms).identifier(), "Europe/London");   // not read again yet
    EXPECT_EQ(watch.zone(start + 1s).identifier(), "Asia/Tokyo");

    folder.pointAt("/usr/share/zoneinfo/America/New_York");
    EXPECT_EQ(watch.zone(start + 1500ms).identifier(), "Asia/Tokyo");
    // A clock that went back reads again at once.
    EXPECT_EQ(watch.zone(start + 500ms).identifier(), "America/New_York");
}

// A leap-second zone, whose clock the C library shows 27 seconds behind since 2017.
TEST(SystemZoneLink, ALinkToALeapSecondZoneNamesThatZone) {
    if (!fs::exists("/usr/share/zoneinfo/right/Asia/Tokyo")) GTEST_SKIP() << "no right/ zones on this system";
    LinkFolder folder;
    ASSERT_TRUE(folder.ok());
    folder.pointAt("../usr/share/zoneinfo/right/Asia/Tokyo");
    const TimeZone zone = folder.zone();
    EXPECT_EQ(zone.identifier(), "right/Asia/Tokyo");
    EXPECT_EQ(zone.secondsFromGMT(dates_test::utc(2026, 1, 1)), 9 * 3600 - 27);
}

TEST(SystemZoneLink, WhatNamesNoZoneReadsAsUtc) {
    LinkFolder folder;
    ASSERT_TRUE(folder.ok());
    for (const std::string& target :
         {std::string("/etc/passwd"), std::string("/usr/share/zoneinfo/Mars/Olympus_Mons"),
          std::string("/usr/share/zoneinfo/../../../etc/passwd"), std::string("/usr/share/zoneinfo/GMT+0100"),
          std::string("/usr/share/zoneinfo/") + std::string(2000, 'A')}) {
        folder.pointAt(target);
        EXPECT_EQ(folder.zone(), TimeZone::utc()) << target.substr(0, 60);
    }
    // A regular file, and nothing at all.
    fs::remove(folder.link());
    EXPECT_EQ(folder.zone(), TimeZone::utc());
    std::ofstream(folder.link()) << "TZif";
    EXPECT_EQ(folder.zone(), TimeZone::utc());
}

} // namespace
