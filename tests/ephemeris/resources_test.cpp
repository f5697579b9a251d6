#include "ephemeris/coordinate.h"
#include "ephemeris/fixed_star.h"
#include "ephemeris/planet.h"
#include "ephemeris/resources.h"
#include "platform/core/swiss_ephemeris.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <thread>

using namespace ephemeris;
using ephemeris_test::ScratchFolder;
using ephemeris_test::utc;

namespace {

void makeBundle(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder / "Ephemeris_Ephemeris.bundle");
}

// A planetary data file for 1800-2400 that cannot be read.
void writeDamagedDataFile(const std::filesystem::path& folder) {
    std::ofstream file(folder / "sepl_18.se1", std::ios::binary);
    file << std::string(5000, 'x');
}

// Every test leaves the library on its default path.
class EphemerisPath : public ::testing::Test {
protected:
    void TearDown() override { ASSERT_TRUE(JPLFileManager::setEphemerisPath(std::nullopt)); }
};

const platform::Date instant = utc(2024, 3, 20, 3, 6);

} // namespace

TEST(ResourceBundle, FirstCandidateHoldingTheBundleWins) {
    ScratchFolder first("first");
    ScratchFolder second("second");
    makeBundle(first.path());
    makeBundle(second.path());
    const auto found = ResourceBundle::find({first.path(), second.path()});
    ASSERT_TRUE(found);
    EXPECT_EQ(found->bundlePath(), first.path() / "Ephemeris_Ephemeris.bundle");
    EXPECT_EQ(found->resourcePath(), found->bundlePath());

    // A folder without the bundle, or one that does not exist, is passed over.
    ScratchFolder empty("empty");
    const auto later = ResourceBundle::find({empty.path(), empty.path() / "missing", second.path()});
    ASSERT_TRUE(later);
    EXPECT_EQ(later->bundlePath(), second.path() / "Ephemeris_Ephemeris.bundle");

    const auto none = ResourceBundle::find({empty.path()});
    ASSERT_FALSE(none);
    EXPECT_EQ(none.error().message, "unable to find bundle named Ephemeris_Ephemeris");
}

TEST(ResourceBundle, EnvironmentVariableComesFirstAndTheResultIsKept) {
    ScratchFolder folder("environment");
    makeBundle(folder.path());
    ASSERT_EQ(::setenv("PACKAGE_RESOURCE_BUNDLE_URL", folder.path().c_str(), 1), 0);
    const auto candidates = ResourceBundle::candidateFolders();
    ASSERT_FALSE(candidates.empty());
    EXPECT_EQ(candidates.front(), folder.path());

    const auto& bundle = ResourceBundle::module();
    ASSERT_TRUE(bundle);
    EXPECT_EQ(bundle->bundlePath(), folder.path() / "Ephemeris_Ephemeris.bundle");
    ASSERT_TRUE(JPLFileManager::resourcePath());
    EXPECT_EQ(*JPLFileManager::resourcePath(), (folder.path() / "Ephemeris_Ephemeris.bundle").string());

    // Found once per process: removing it changes nothing.
    std::filesystem::remove_all(folder.path() / "Ephemeris_Ephemeris.bundle");
    ::unsetenv("PACKAGE_RESOURCE_BUNDLE_URL");
    EXPECT_EQ(&ResourceBundle::module(), &bundle);
    EXPECT_TRUE(ResourceBundle::module());
    EXPECT_EQ(*JPLFileManager::resourcePath(), (folder.path() / "Ephemeris_Ephemeris.bundle").string());
}

TEST_F(EphemerisPath, DamagedDataFileIsAnErrorOnEveryThread) {
    // A folder name beyond ASCII reaches the library as its UTF-8 bytes.
    ScratchFolder folder("\xC3\x89ph\xC3\xA9m\xC3\xA9rides");
    writeDamagedDataFile(folder.path());
    ASSERT_TRUE(JPLFileManager::setEphemerisPath(folder.path().string()));

    const auto sun = Coordinate<Planet>::make(Planet::sun, instant);
    ASSERT_FALSE(sun);
    EXPECT_NE(sun.error().message.find(folder.path().string() + "/sepl_18.se1 is damaged"), std::string::npos)
        << sun.error().message;

    std::optional<std::string> otherThread;
    std::thread worker([&] {
        const auto moon = Coordinate<Planet>::make(Planet::moon, instant);
        otherThread = moon ? "no error" : moon.error().message;
    });
    worker.join();
    ASSERT_TRUE(otherThread);
    EXPECT_NE(otherThread->find("is damaged"), std::string::npos) << *otherThread;
}

TEST_F(EphemerisPath, WithoutDataFilesTheAnalyticTheoryIsNoFailure) {
    ScratchFolder folder("no-files");
    ASSERT_TRUE(JPLFileManager::setEphemerisPath(folder.path().string()));
    const auto sun = Coordinate<Planet>::make(Planet::sun, instant);
    ASSERT_TRUE(sun) << sun.error().message;
    // The analytic theory agrees with the data files to well under an arc second.
    EXPECT_NEAR(sun->longitude(), 359.99972125416986, 1e-4);

    // Without the catalogue there is no fixed star.
    const auto star = Coordinate<FixedStar>::make(FixedStar::aldebaran, instant);
    ASSERT_FALSE(star);
    EXPECT_FALSE(star.error().message.empty());
}

TEST_F(EphemerisPath, PathsTheLibraryWouldIgnoreAreRefused) {
    ScratchFolder folder("refusal");
    writeDamagedDataFile(folder.path());
    ASSERT_TRUE(JPLFileManager::setEphemerisPath(folder.path().string()));

    // The library takes at most 242 bytes and would silently use its default instead.
    std::string longPath = "/" + std::string(241, 'a');
    ASSERT_EQ(longPath.size(), 242u);
    EXPECT_TRUE(swisseph::setEphemerisPath(std::string_view(longPath)));
    ASSERT_TRUE(JPLFileManager::setEphemerisPath(folder.path().string()));
    longPath += "a";
    EXPECT_FALSE(JPLFileManager::setEphemerisPath(longPath));
    EXPECT_FALSE(JPLFileManager::setEphemerisPath(std::string("/tmp\0/x", 7)));

    // The refused folders changed nothing: the damaged file is still found.
    EXPECT_FALSE(Coordinate<Planet>::make(Planet::sun, instant));

    // Back to the default: positions from the data files again.
    ASSERT_TRUE(JPLFileManager::setEphemerisPath(std::nullopt));
    const auto sun = Coordinate<Planet>::make(Planet::sun, instant);
    ASSERT_TRUE(sun);
    EXPECT_DOUBLE_EQ(sun->longitude(), 359.99972125416986);
}
