// Reading zone files and TZ values that are damaged or hostile: every one reads
// as nothing (the layer then falls back to ICU's own zone, or to UTC for an
// unknown name), never crashes, blocks or reads outside the zone folder.

#include "dates_test_support.h"
#include "zone_oracle.h"

#include "platform/core/internal/posix_tz_string.h"
#include "platform/core/internal/system_zone_data.h"
#include "platform/core/internal/tzif_file.h"
#include "platform/core/time_zone.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <unicode/basictz.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using dates_test::EnvironmentGuard;
using dates_test::utc;
using platform::TimeZone;
using Bytes = std::vector<unsigned char>;

Bytes readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes systemFile(const char* name) {
    return readAll(fs::path("/usr/share/zoneinfo") / name);
}

void writeAll(const fs::path& path, const Bytes& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A zone file of our own making: version 2, an empty 32-bit section, then the
// 64-bit data and the footer.
struct ZoneRecipe {
    struct Type {
        std::int32_t offset;
        bool daylight;
        std::string abbreviation;
    };
    std::vector<std::pair<std::int64_t, std::uint8_t>> transitions;
    std::vector<Type> types;
    std::string footer;
};

void putBigEndian(Bytes& out, std::uint64_t value, int size) {
    for (int i = size - 1; i >= 0; --i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

void putHeader(Bytes& out, std::uint32_t timecnt, std::uint32_t typecnt, std::uint32_t charcnt) {
    out.insert(out.end(), {'T', 'Z', 'i', 'f', '2'});
    out.insert(out.end(), 15, 0);
    for (std::uint32_t count : {0u, 0u, 0u, timecnt, typecnt, charcnt}) putBigEndian(out, count, 4);
}

Bytes makeZoneFile(const ZoneRecipe& recipe) {
    Bytes out;
    putHeader(out, 0, 1, 1);
    out.insert(out.end(), {0, 0, 0, 0, 0, 0, 0});   // one UTC type and an empty designation
    std::string chars;
    std::vector<std::size_t> indices;
    for (const auto& type : recipe.types) {
        indices.push_back(chars.size());
        chars += type.abbreviation;
        chars += '\0';
    }
    putHeader(out, static_cast<std::uint32_t>(recipe.transitions.size()), static_cast<std::uint32_t>(recipe.types.size()),
              static_cast<std::uint32_t>(chars.size()));
    for (const auto& transition : recipe.transitions) putBigEndian(out, static_cast<std::uint64_t>(transition.first), 8);
    for (const auto& transition : recipe.transitions) out.push_back(transition.second);
    for (std::size_t i = 0; i < recipe.types.size(); ++i) {
        putBigEndian(out, static_cast<std::uint32_t>(recipe.types[i].offset), 4);
        out.push_back(recipe.types[i].daylight ? 1 : 0);
        out.push_back(static_cast<unsigned char>(indices[i]));
    }
    out.insert(out.end(), chars.begin(), chars.end());
    out.push_back('\n');
    out.insert(out.end(), recipe.footer.begin(), recipe.footer.end());
    out.push_back('\n');
    return out;
}

std::unique_ptr<icu::BasicTimeZone> zoneFromBytes(const Bytes& bytes) {
    auto data = platform::tzif::parse(bytes);
    if (!data) return nullptr;
    return platform::system_zone_data::zoneFromData("Test/Zone", *data);
}

int secondsFromGMT(const icu::BasicTimeZone& zone, std::int64_t t) {
    std::int32_t raw = 0;
    std::int32_t daylight = 0;
    UErrorCode status = U_ZERO_ERROR;
    zone.getOffset(static_cast<double>(t) * 1000.0, false, raw, daylight, status);
    EXPECT_TRUE(U_SUCCESS(status));
    return (raw + daylight) / 1000;
}

// A temporary zone folder, removed with the object.
class TemporaryZoneFolder {
public:
    TemporaryZoneFolder() {
        std::string pattern = (fs::temp_directory_path() / "vadididod-zones-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? fs::path(pattern) : fs::path();
    }
    ~TemporaryZoneFolder() {
        std::error_code ignored;
        if (!path_.empty()) fs::remove_all(path_, ignored);
    }
    const fs::path& path() const noexcept { return path_; }

private:
    fs::path path_;
};

TEST(TzifFile, ReadsTheSystemsLondonFile) {
    auto data = platform::tzif::parse(systemFile("Europe/London"));
    ASSERT_TRUE(data);
    EXPECT_GT(data->transitions.size(), 100u);
    EXPECT_EQ(data->footer, "GMT0BST,M3.5.0/1,M10.5.0");
    bool sawSummerTime = false;
    for (const auto& type : data->types) sawSummerTime |= type.abbreviation == "BST" && type.secondsFromGMT == 3600;
    EXPECT_TRUE(sawSummerTime);
}

TEST(TzifFile, EveryTruncationAndDamageReadsAsNothing) {
    const Bytes london = systemFile("Europe/London");
    ASSERT_GT(london.size(), 1000u);
    for (std::size_t length = 0; length < london.size(); ++length) {
        const Bytes cut(london.begin(), london.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_FALSE(platform::tzif::parse(cut)) << "cut at " << length;
    }
    // Counts far beyond the file, and a version 1 file.
    Bytes huge = london;
    for (std::size_t i = 32; i < 36; ++i) huge[i] = 0xFF;   // timecnt of the 32-bit section
    EXPECT_FALSE(platform::tzif::parse(huge));
    Bytes versionOne = london;
    versionOne[4] = 0;
    EXPECT_FALSE(platform::tzif::parse(versionOne));
    // Anything past the size limit.
    Bytes padded = london;
    padded.resize(platform::tzif::maxFileSize + 1, '\n');
    EXPECT_FALSE(platform::tzif::parse(padded));
}

TEST(TzifFile, RandomDamageNeverCrashesAndGivesSaneOffsetsOrNothing) {
    const Bytes london = systemFile("Europe/London");
    ASSERT_FALSE(london.empty());
    std::mt19937 random(20260501);
    std::uniform_int_distribution<std::size_t> position(0, london.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    int zones = 0;
    for (int round = 0; round < 3000; ++round) {
        Bytes damaged = london;
        const int changes = 1 + round % 4;
        for (int i = 0; i < changes; ++i) damaged[position(random)] = static_cast<unsigned char>(byte(random));
        auto zone = zoneFromBytes(damaged);
        if (!zone) continue;
        ++zones;
        for (std::int64_t t : {-5000000000LL, 0LL, 1700000000LL, 4000000000LL}) {
            const int offset = secondsFromGMT(*zone, t);
            EXPECT_LE(std::abs(offset), 26 * 3600);
        }
    }
    EXPECT_GT(zones, 0);   // damage to abbreviations and such still leaves a zone
}

TEST(TzifFile, InconsistentOrUnexpressibleRulesReadAsNothing) {
    ZoneRecipe recipe;
    recipe.types = {{3600, false, "CET"}, {7200, true, "CEST"}};
    recipe.transitions = {{1600000000, 1}, {1610000000, 0}};
    recipe.footer = "CET-1CEST,M3.5.0,M10.5.0/3";
    EXPECT_TRUE(zoneFromBytes(makeZoneFile(recipe)));

    for (const char* footer : {"<+05>-5",                          // contradicts the last offset
                               "CET-1CEST",                        // daylight time without its dates
                               "CET-1CEST,M3.5.0",                 // one date only
                               "CET-1CEST,M13.5.0,M10.5.0/3",      // no such month
                               "CET-1CEST,M3.5.0,M10.5.0/168",     // beyond 167 hours
                               "CET-1CEST,100,M10.5.0",            // a day counting 29 February
                               "CET-1CEST-1,M3.5.0,M10.5.0/3",     // daylight time equal to standard
                               "CET-1CEST,J1/0,J365/25",           // daylight time all year round
                               "CE-1", "CET-1CEST,M3.5.0,M10.5.0/3 ", "CET-25"}) {
        recipe.footer = footer;
        EXPECT_FALSE(zoneFromBytes(makeZoneFile(recipe))) << footer;
    }

    ZoneRecipe unordered = recipe;
    unordered.footer = "CET-1CEST,M3.5.0,M10.5.0/3";
    unordered.transitions = {{1610000000, 0}, {1600000000, 1}};
    EXPECT_FALSE(zoneFromBytes(makeZoneFile(unordered)));
    ZoneRecipe badType = unordered;
    badType.transitions = {{1600000000, 2}};
    EXPECT_FALSE(zoneFromBytes(makeZoneFile(badType)));
    ZoneRecipe tooManyChanges = unordered;
    tooManyChanges.transitions.clear();
    for (int i = 0; i < 2500; ++i) tooManyChanges.transitions.emplace_back(1000000LL * i, i % 2 == 0 ? 1 : 0);
    tooManyChanges.footer = "CET-1";
    EXPECT_FALSE(zoneFromBytes(makeZoneFile(tooManyChanges)));
}

TEST(PosixTzString, ReadsTheFormsZoneFilesUse) {
    auto chatham = platform::posix_tz::parse("<+1245>-12:45<+1345>,M9.5.0/2:45,M4.1.0/3:45");
    ASSERT_TRUE(chatham);
    EXPECT_EQ(chatham->standard.abbreviation, "+1245");
    EXPECT_EQ(chatham->standard.secondsFromGMT, 12 * 3600 + 45 * 60);
    ASSERT_TRUE(chatham->daylight);
    EXPECT_EQ(chatham->daylight->time.secondsFromGMT, 13 * 3600 + 45 * 60);
    EXPECT_EQ(chatham->daylight->start.month, 9);
    EXPECT_EQ(chatham->daylight->start.week, 5);
    EXPECT_EQ(chatham->daylight->start.secondsOfDay, 2 * 3600 + 45 * 60);

    auto jerusalem = platform::posix_tz::parse("IST-2IDT,M3.4.4/26,M10.5.0");
    ASSERT_TRUE(jerusalem);
    EXPECT_EQ(jerusalem->daylight->start.secondsOfDay, 26 * 3600);
    EXPECT_EQ(jerusalem->daylight->end.secondsOfDay, 2 * 3600);
    auto nuuk = platform::posix_tz::parse("<-02>2<-01>,M3.5.0/-1,M10.5.0/0");
    ASSERT_TRUE(nuuk);
    EXPECT_EQ(nuuk->standard.secondsFromGMT, -2 * 3600);
    EXPECT_EQ(nuuk->daylight->start.secondsOfDay, -3600);
    auto dublin = platform::posix_tz::parse("IST-1GMT0,M10.5.0,M3.5.0/1");
    ASSERT_TRUE(dublin);
    EXPECT_EQ(dublin->daylight->time.secondsFromGMT, 0);
    auto julian = platform::posix_tz::parse("<+0330>-3:30<+0430>,J79/24,J263/24");
    ASSERT_TRUE(julian);
    EXPECT_EQ(julian->daylight->start.form, platform::posix_tz::ChangeDate::Form::julianDay);
    EXPECT_EQ(julian->daylight->start.day, 79);

    for (const char* bad : {"", "GM", "<AB>0", "GMT", "GMT+", "GMT0BST,M3.5.0/1,", "GMT0BST,M0.5.0,M10.5.0",
                            "GMT0BST,M3.6.0,M10.5.0", "GMT0BST,M3.5.7,M10.5.0", "GMT0BST,J0,J100",
                            "GMT0BST,366,1", "GMT0:60", "GMT0BST,M3.5.0/1:2:3:4,M10.5.0", "<+0330", "GMT99"}) {
        EXPECT_FALSE(platform::posix_tz::parse(bad)) << bad;
    }
}

// Zone files made here, under a temporary TZDIR, read by the layer and by glibc:
// a rule that starts in the year of the last recorded change, in both
// hemispheres and with negative daylight saving, and a zone without changes.
TEST(SystemZoneData, RulesStartingAfterTheLastRecordedChangeAgreeWithGlibc) {
    TemporaryZoneFolder folder;
    ASSERT_FALSE(folder.path().empty());
    const std::int64_t january2023 = 1672531200;   // 2023-01-01T00:00Z
    struct Case {
        const char* name;
        ZoneRecipe recipe;
    };
    const Case cases[] = {
        {"Test/NorthernRule",
         {{{january2023, 1}}, {{3600, false, "+01"}, {7200, false, "+02"}}, "<+02>-2<+03>,M3.5.0/3,M10.5.0/4"}},
        {"Test/SouthernRule",
         {{{january2023 + 86400 * 40, 1}}, {{-10800, false, "-03"}, {-7200, true, "-02"}}, "<-03>3<-02>,M10.1.0/0,M3.4.0/0"}},
        {"Test/NegativeRule",
         {{{january2023 + 86400 * 100, 1}}, {{0, false, "GMT"}, {3600, false, "IST"}}, "IST-1GMT0,M10.5.0,M3.5.0/1"}},
        {"Test/JulianRule",
         {{{january2023, 1}}, {{12600, false, "+0330"}, {12600, false, "+0330"}}, "<+0330>-3:30<+0430>,J79/24,J263/24"}},
        {"Test/NoChanges", {{}, {{19800, false, "IST"}}, "IST-5:30"}},
    };
    for (const Case& c : cases) writeAll(folder.path() / c.name, makeZoneFile(c.recipe));

    for (const Case& c : cases) {
        const zone_oracle::GlibcZone glibc(c.name, folder.path().c_str());
        auto zone = platform::system_zone_data::zoneFromSystemData(c.name);
        ASSERT_TRUE(zone) << c.name;
        int mismatches = 0;
        for (std::int64_t t = january2023 - 86400 * 30; t < january2023 + 86400 * 365 * 30LL; t += 3 * 3600 + 7) {
            if (secondsFromGMT(*zone, t) != glibc.offset(t) && ++mismatches <= 3) {
                ADD_FAILURE() << c.name << " at " << t << ": layer " << secondsFromGMT(*zone, t) << ", glibc "
                              << glibc.offset(t);
            }
        }
        EXPECT_EQ(mismatches, 0) << c.name;
    }
}

TEST(SystemZoneData, DamagedFilesFallBackToIcusZoneOrToUtc) {
    TemporaryZoneFolder folder;
    ASSERT_FALSE(folder.path().empty());
    const Bytes london = systemFile("Europe/London");
    // Names used nowhere else in this program, so that nothing has cached them.
    writeAll(folder.path() / "Asia/Kathmandu", Bytes(london.begin(), london.begin() + 300));
    writeAll(folder.path() / "Test/Truncated", Bytes(london.begin(), london.end() - 5));
    writeAll(folder.path() / "Test/Empty", {});
    writeAll(folder.path() / "Test/Copy", london);
    writeAll(folder.path() / "Test/Huge", Bytes(platform::tzif::maxFileSize + 10, 'T'));
    fs::create_directories(folder.path() / "Test/Folder");
    fs::create_symlink("/dev/zero", folder.path() / "Test/Device");
    fs::create_symlink("/etc/passwd", folder.path() / "Test/Elsewhere");
    ASSERT_EQ(::mkfifo((folder.path() / "Test/Fifo").c_str(), 0600), 0);
    EnvironmentGuard tzdir("TZDIR", folder.path().c_str());

    // ICU's own zone stands in for a damaged file it knows.
    auto kathmandu = TimeZone::withIdentifier("Asia/Kathmandu");
    ASSERT_TRUE(kathmandu);
    EXPECT_EQ(kathmandu->secondsFromGMT(utc(2026, 1, 1)), 5 * 3600 + 45 * 60);
    // A good file under TZDIR is read.
    auto copy = TimeZone::withIdentifier("Test/Copy");
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->secondsFromGMT(utc(2026, 7, 1)), 3600);
    EXPECT_EQ(copy->secondsFromGMT(utc(2026, 1, 1)), 0);
    // Nothing else is a zone, and as TZ each reads as UTC.
    for (const char* name : {"Test/Truncated", "Test/Empty", "Test/Huge", "Test/Folder", "Test/Device",
                             "Test/Elsewhere", "Test/Fifo", "Test/Missing"}) {
        EXPECT_FALSE(TimeZone::withIdentifier(name)) << name;
        EnvironmentGuard tz("TZ", name);
        EXPECT_EQ(TimeZone::current().identifier(), "UTC") << name;
        EXPECT_EQ(TimeZone::current().secondsFromGMT(utc(2026, 7, 1)), 0) << name;
    }
}

TEST(SystemZoneData, HostileNamesAreNeverPaths) {
    using platform::system_zone_data::isZoneIdentifier;
    for (const char* good : {"Europe/London", "America/Argentina/Buenos_Aires", "Etc/GMT+5", "Etc/GMT-14",
                             "America/Port-au-Prince", "UTC", "EST5EDT"}) {
        EXPECT_TRUE(isZoneIdentifier(good)) << good;
    }
    const std::string tooLong(65, 'A');
    for (const std::string& bad :
         {std::string(), std::string("../../../../etc/passwd"), std::string("/etc/passwd"),
          std::string("Europe/../Europe/London"), std::string("Europe//London"), std::string("./Europe/London"),
          std::string("Europe/London/"), std::string("/Europe/London"), std::string("Europe/.London"),
          std::string("Europe/London\n"), std::string("Europe/Lon don"), std::string("Europe\\London"),
          std::string("Europe/London\0x", 15), std::string("~root"), std::string("$HOME"), std::string("%s%s%n"),
          std::string("Europe/Lond\xC3\xB6n"), std::string("-rf"), std::string("1Europe"), tooLong}) {
        EXPECT_FALSE(isZoneIdentifier(bad)) << bad;
    }

    // As TZ: unknown names, and paths to anything but a zone file, read as UTC.
    for (const char* hostile : {"../../../../etc/passwd", "/etc/passwd", "/usr/share/zoneinfo/../../../etc/passwd",
                                ":../../etc/shadow", "/dev/zero", "/proc/self/environ", "\x01\x02",
                                "Europe/London/../../../../etc/passwd", "/usr/share/zoneinfo/zone.tab"}) {
        EnvironmentGuard tz("TZ", hostile);
        EXPECT_EQ(TimeZone::current().identifier(), "UTC") << hostile;
    }
    {
        EnvironmentGuard tz("TZ", std::string(100000, 'A').c_str());
        EXPECT_EQ(TimeZone::current().identifier(), "UTC");
    }
    // A relative TZDIR is not followed.
    EnvironmentGuard tzdir("TZDIR", "relative/zoneinfo");
    EXPECT_EQ(platform::system_zone_data::zoneFolder(), "/usr/share/zoneinfo");
    tzdir.set("");
    EXPECT_EQ(platform::system_zone_data::zoneFolder(), "/usr/share/zoneinfo");
}

} // namespace
