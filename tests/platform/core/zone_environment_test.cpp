// TZ and TZDIR made safe for the C library: hostile values give way to ones
// glibc reads without the file, and the program keeps the zone it read, history
// included. (The program's own test checks that sound values stay.)

#include "dates_test_support.h"

#include "platform/core/time_zone.h"
#include "platform/core/zone_environment.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <ctime>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using dates_test::EnvironmentGuard;
using dates_test::utc;
using platform::TimeZone;

// The C library's offset at an instant; it would block here on a FIFO.
long cLibraryOffset(const platform::Date& at) {
    ::tzset();
    const auto seconds = static_cast<std::time_t>(at.secondsSince1970());
    std::tm fields{};
    ::localtime_r(&seconds, &fields);
    return fields.tm_gmtoff;
}

class ZoneEnvironment : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(scratch_.made()); }

    // A FIFO at `name` in the folder, by its whole path.
    std::string fifo(const std::string& name) const {
        const fs::path path = folder() / name;
        fs::create_directories(path.parent_path());
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
        return path.string();
    }

    const fs::path& folder() const { return scratch_.path(); }

    testsupport::ScratchFolder scratch_{"zone-env"};
    EnvironmentGuard tz_{"TZ", nullptr};
    EnvironmentGuard tzdir_{"TZDIR", nullptr};
};

// A FIFO at a zoneinfo path names London: the C library takes its present
// rule, the program keeps its history (summer time all year in 1970).
TEST_F(ZoneEnvironment, AFifoNamedByTzGivesWayToTheZonesRule) {
    tz_.set((":" + fifo("zoneinfo/Europe/London")).c_str());
    auto change = platform::makeZoneEnvironmentSafe();
    ASSERT_TRUE(change);
    EXPECT_EQ(change->tz, "GMT0BST,M3.5.0/1,M10.5.0");
    EXPECT_FALSE(change->tzdirRemoved);
    EXPECT_EQ(TimeZone::current().identifier(), "Europe/London");
    EXPECT_EQ(TimeZone::current().secondsFromGMT(utc(1970, 1, 15)), 3600);
    EXPECT_EQ(cLibraryOffset(utc(2026, 7, 15)), 3600);
    EXPECT_EQ(cLibraryOffset(utc(2026, 1, 15)), 0);

    // A zone only ICU knows, which the C library would read as UTC: its offset.
    tz_.set("CTT");
    change = platform::makeZoneEnvironmentSafe();
    ASSERT_TRUE(change);
    EXPECT_EQ(change->tz, "<+0800>-8:00");
    EXPECT_EQ(TimeZone::current().identifier(), "CTT");
    EXPECT_EQ(cLibraryOffset(utc(2026, 7, 15)), 8 * 3600);
}

TEST_F(ZoneEnvironment, ATzdirHoldingAFifoAtTheZonesNameGoes) {
    fifo("Europe/London");
    tzdir_.set(folder().c_str());
    tz_.set("Europe/London");
    auto change = platform::makeZoneEnvironmentSafe();
    ASSERT_TRUE(change);
    EXPECT_STREQ(std::getenv("TZ"), "Europe/London");
    EXPECT_EQ(std::getenv("TZDIR"), nullptr);
    EXPECT_EQ(cLibraryOffset(utc(2026, 7, 15)), 3600);

    // Without TZ the zone is the system's, looked up in TZDIR by its name.
    tz_.set(nullptr);
    fifo("system/" + TimeZone::current().identifier());
    tzdir_.set((folder() / "system").c_str());
    change = platform::makeZoneEnvironmentSafe();
    ASSERT_TRUE(change);
    EXPECT_TRUE(change->tzdirRemoved);
    EXPECT_FALSE(change->tz);
    EXPECT_EQ(std::getenv("TZ"), nullptr);
}

} // namespace
