#include "ephemeris/coordinate.h"
#include "ephemeris/fixed_star.h"
#include "ephemeris/julian_date.h"
#include "ephemeris/planet.h"
#include "ephemeris/resources.h"
#include "platform/core/swiss_ephemeris.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

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

// Every test leaves the library on its default path, without SE_EPHE_PATH.
class EphemerisPath : public ::testing::Test {
protected:
    void TearDown() override {
        ::unsetenv("SE_EPHE_PATH");
        ASSERT_TRUE(EphemerisDataPath::setEphemerisPath(std::nullopt));
    }
};

const platform::Date instant = utc(2024, 3, 20, 3, 6);

// The library keeps its state per thread: a thread of its own reads the data
// files afresh, as a program just started does.
template <class Compute>
auto onFreshThread(Compute compute) {
    std::optional<decltype(compute())> result;
    std::thread([&] { result.emplace(compute()); }).join();
    return *result;
}

// The working folder, changed for the life of the object.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::filesystem::path& folder) : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~WorkingFolder() { std::filesystem::current_path(previous_); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    std::filesystem::path previous_;
};

// Data files the library takes from any folder on its path: a delta T of more
// than a day for the years around 2024 (under both names the library looks
// for), and a catalogue whose one star is a Sirius at right ascension and
// declination 0.
void writeHostileDataFiles(const std::filesystem::path& folder) {
    for (const char* name : {"sedeltat.txt", "swe_deltat.txt"}) {
        std::ofstream deltaT(folder / name);
        for (int year = 2000; year <= 2040; ++year) deltaT << year << " 100000.0\n";
    }
    std::ofstream stars(folder / "sefstars.txt");
    stars << "Sirius     ,alCMa,ICRS,00,00,00.00000,+00,00,00.0000,0,0,0,379.21,-1.46,-16, 1591\n";
}

double sunLongitude() {
    const auto sun = Coordinate<Planet>::make(Planet::sun, instant);
    return sun ? sun->longitude() : std::nan("");
}

double siriusLongitude() {
    const auto sirius = Coordinate<FixedStar>::make(FixedStar::sirius, instant);
    return sirius ? sirius->longitude() : std::nan("");
}

double deltaTAtInstant() { return swisseph::deltaT(julianDate(instant)); }

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
    ASSERT_TRUE(EphemerisDataPath::resourcePath());
    EXPECT_EQ(*EphemerisDataPath::resourcePath(), (folder.path() / "Ephemeris_Ephemeris.bundle").string());

    // Found once per process: removing it changes nothing.
    std::filesystem::remove_all(folder.path() / "Ephemeris_Ephemeris.bundle");
    ::unsetenv("PACKAGE_RESOURCE_BUNDLE_URL");
    EXPECT_EQ(&ResourceBundle::module(), &bundle);
    EXPECT_TRUE(ResourceBundle::module());
    EXPECT_EQ(*EphemerisDataPath::resourcePath(), (folder.path() / "Ephemeris_Ephemeris.bundle").string());
}

TEST_F(EphemerisPath, DamagedDataFileIsAnErrorOnEveryThread) {
    // A folder name beyond ASCII reaches the library as its UTF-8 bytes.
    ScratchFolder folder("\xC3\x89ph\xC3\xA9m\xC3\xA9rides");
    writeDamagedDataFile(folder.path());
    ASSERT_TRUE(EphemerisDataPath::setEphemerisPath(folder.path().string()));

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
    ASSERT_TRUE(EphemerisDataPath::setEphemerisPath(folder.path().string()));
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
    ASSERT_TRUE(EphemerisDataPath::setEphemerisPath(folder.path().string()));

    // The library takes at most 242 bytes and would silently use its default instead.
    std::string longPath = "/" + std::string(241, 'a');
    ASSERT_EQ(longPath.size(), 242u);
    EXPECT_TRUE(swisseph::setEphemerisPath(std::string_view(longPath)));
    ASSERT_TRUE(EphemerisDataPath::setEphemerisPath(folder.path().string()));
    longPath += "a";
    EXPECT_FALSE(EphemerisDataPath::setEphemerisPath(longPath));
    EXPECT_FALSE(EphemerisDataPath::setEphemerisPath(std::string("/tmp\0/x", 7)));

    // The refused folders changed nothing: the damaged file is still found.
    EXPECT_FALSE(Coordinate<Planet>::make(Planet::sun, instant));

    // Back to the default: positions from the data files again.
    ASSERT_TRUE(EphemerisDataPath::setEphemerisPath(std::nullopt));
    const auto sun = Coordinate<Planet>::make(Planet::sun, instant);
    ASSERT_TRUE(sun);
    EXPECT_DOUBLE_EQ(sun->longitude(), 359.99972125416986);
}

// The library's own default path begins with the current folder: a program
// started from a folder holding such files took its delta T and its stars from
// there. The folder is never searched; the installed data is.
TEST_F(EphemerisPath, DataFilesInTheStartFolderAreNeverRead) {
    const double cleanSirius = onFreshThread(siriusLongitude);
    const double cleanDeltaT = onFreshThread(deltaTAtInstant);
    // Sirius near 104 degrees (the catalogue's position; 0.5 degrees allows for
    // precession over any century), delta T about 69 s in 2024.
    EXPECT_NEAR(cleanSirius, 104.3, 0.5);
    EXPECT_NEAR(cleanDeltaT * 86400.0, 69.0, 2.0);

    ScratchFolder hostile("hostile");
    writeHostileDataFiles(hostile.path());
    {
        WorkingFolder inside(hostile.path());
        EXPECT_DOUBLE_EQ(onFreshThread(sunLongitude), 359.99972125416986);
        EXPECT_EQ(onFreshThread(siriusLongitude), cleanSirius);
        EXPECT_EQ(onFreshThread(deltaTAtInstant), cleanDeltaT);
        // This thread too, with the path applied again while inside.
        ASSERT_TRUE(EphemerisDataPath::setEphemerisPath(std::nullopt));
        EXPECT_DOUBLE_EQ(sunLongitude(), 359.99972125416986);
        EXPECT_EQ(siriusLongitude(), cleanSirius);
    }

    // The files are the kind that count when a folder on the path holds them:
    // named outright, the folder moves Sirius and delta T.
    ASSERT_TRUE(EphemerisDataPath::setEphemerisPath(hostile.path().string()));
    EXPECT_GT(std::abs(onFreshThread(siriusLongitude) - cleanSirius), 90.0);
    EXPECT_NEAR(onFreshThread(deltaTAtInstant) * 86400.0, 100000.0, 1000.0);
}

TEST_F(EphemerisPath, FoldersRelativeToTheStartFolderAreRefused) {
    ScratchFolder folder("relative");
    writeDamagedDataFile(folder.path());
    ASSERT_TRUE(EphemerisDataPath::setEphemerisPath(folder.path().string()));
    // ".", an empty entry and a relative name all mean the current folder to the
    // library, which splits the list at ';' as well as at ':'.
    for (const char* list : {".", "", "ephe", "./ephe", "/usr/share/libswe/ephe:.", "/usr/share/libswe/ephe::/tmp",
                             ":/usr/share/libswe/ephe", "/usr/share/libswe/ephe:", "~/ephe",
                             "/usr/share/libswe/ephe;.", "/usr/share/libswe/ephe;ephe", "/tmp:/usr;"})
        EXPECT_FALSE(EphemerisDataPath::setEphemerisPath(std::string(list))) << '"' << list << '"';
    // Nothing changed: the damaged file is still the one found.
    EXPECT_FALSE(Coordinate<Planet>::make(Planet::sun, instant));
    // A list of absolute folders is taken.
    ASSERT_TRUE(EphemerisDataPath::setEphemerisPath(folder.path().string() + ":/usr/share/libswe/ephe"));
}

// SE_EPHE_PATH wins over the installed data and over the program's own choice,
// as the library has it, but it too may not name the current folder.
TEST_F(EphemerisPath, EnvironmentVariableComesFirstButNeverTheStartFolder) {
    ScratchFolder fromEnvironment("environment-path");
    writeDamagedDataFile(fromEnvironment.path());
    ASSERT_EQ(::setenv("SE_EPHE_PATH", fromEnvironment.path().c_str(), 1), 0);
    ASSERT_TRUE(EphemerisDataPath::setEphemerisPath(std::nullopt));
    auto sun = Coordinate<Planet>::make(Planet::sun, instant);
    ASSERT_FALSE(sun);
    EXPECT_NE(sun.error().message.find(fromEnvironment.path().string()), std::string::npos) << sun.error().message;

    ScratchFolder chosen("chosen-path");
    ASSERT_TRUE(EphemerisDataPath::setEphemerisPath(chosen.path().string()));
    sun = Coordinate<Planet>::make(Planet::sun, instant);
    ASSERT_FALSE(sun);
    EXPECT_NE(sun.error().message.find(fromEnvironment.path().string()), std::string::npos) << sun.error().message;

    const std::string refusal = "SE_EPHE_PATH names a folder relative to the current one, where the ephemeris "
                                "library would read data files from wherever the program was started";
    for (const char* list : {".", ".:/usr/share/libswe/ephe", "/usr/share/libswe/ephe::/tmp", "ephe",
                             "/usr/share/libswe/ephe;."}) {
        ASSERT_EQ(::setenv("SE_EPHE_PATH", list, 1), 0);
        ASSERT_TRUE(EphemerisDataPath::setEphemerisPath(std::nullopt));
        sun = Coordinate<Planet>::make(Planet::sun, instant);
        ASSERT_FALSE(sun) << list;
        EXPECT_EQ(sun.error().message, refusal);
        EXPECT_EQ(onFreshThread([] { return Coordinate<FixedStar>::make(FixedStar::sirius, instant).error(); }).message,
                  refusal);
        EXPECT_TRUE(std::isnan(deltaTAtInstant()));
    }

    // An empty variable is no choice at all, as for the library.
    ASSERT_EQ(::setenv("SE_EPHE_PATH", "", 1), 0);
    ASSERT_TRUE(EphemerisDataPath::setEphemerisPath(std::nullopt));
    EXPECT_DOUBLE_EQ(sunLongitude(), 359.99972125416986);
}

namespace {

// Aldebaran as the installed catalogue has it.
const std::string aldebaranLine =
    "Aldebaran  ,alTau,ICRS,04,35,55.23907,+16,30,33.4885,63.45,-188.94,54.26,48.94,0.86, 16,  629";

struct DamagedCatalogue {
    const char* what;
    std::string text;
};

} // namespace

// The library reads a catalogue on a thread's first fixed star and crashes,
// hangs or leaks on some damage (a line without a comma, one cut by its 256-byte
// line buffer or by a carriage return, a NUL byte, a FIFO, an empty field); each
// is an error naming the file instead, however the folder is chosen.
TEST_F(EphemerisPath, DamagedStarCataloguesAreErrorsNotCrashes) {
    std::vector<DamagedCatalogue> damaged{
        {"a single word", "x\n"},
        {"a truncated line", aldebaranLine + "\nAldebaran  ,alTau,ICRS,04,35,55.2"},
        {"thirteen fields", "Aldebaran,alTau,ICRS,04,35,55.23907,+16,30,33.4885,63.45,-188.94,54.26,48.94\n"},
        // Refused by the library too, which then leaks the stars before it.
        {"an empty field", aldebaranLine + "\nRohini,,ICRS,04,35,55.23907,+16,30,33.4885,63.45,-188.94,54.26,48.94,0.86\n"},
        {"a line of blanks", " \t\n" + aldebaranLine + "\n"},
        {"a huge line", std::string(100000, 'x') + "\n" + aldebaranLine + "\n"},
        {"a long comment", "#" + std::string(300, 'x') + "\n" + aldebaranLine + "\n"},
        {"a carriage return inside a line", "x\r" + aldebaranLine + "\n"},
        {"a NUL byte", std::string("x\0,,,,,,,,,,,,,,,\n", 18) + aldebaranLine + "\n"},
        {"an empty file", ""},
    };
    std::string overLarge;
    while (overLarge.size() <= (std::size_t{1} << 20)) overLarge += aldebaranLine + "\n";
    damaged.push_back({"more than 1 MiB of good lines", overLarge});
    ScratchFolder folder("stars");
    const std::string catalogue = (folder.path() / "sefstars.txt").string();
    const auto aldebaranError = [] {
        return onFreshThread([] {
            const auto star = detail::positionOf("Aldebaran", instant);
            return star ? std::string("no error") : star.error().message;
        });
    };
    const auto expectRefused = [&](const char* what, const std::string& file) {
        const std::string message = aldebaranError();
        EXPECT_EQ(message.rfind(file + " ", 0), 0u) << what << ": " << message;
    };
    // As the report had it: SE_EPHE_PATH naming the folder.
    ASSERT_EQ(::setenv("SE_EPHE_PATH", folder.path().c_str(), 1), 0);
    ASSERT_TRUE(EphemerisDataPath::setEphemerisPath(std::nullopt));
    for (const auto& [what, text] : damaged) {
        std::ofstream(catalogue, std::ios::binary | std::ios::trunc) << text;
        expectRefused(what, catalogue);
    }

    // Not a file that can be read as one.
    std::filesystem::remove(catalogue);
    ASSERT_EQ(::mkfifo(catalogue.c_str(), 0600), 0);
    expectRefused("a FIFO", catalogue);
    std::filesystem::remove(catalogue);
    std::filesystem::create_directory(catalogue);
    expectRefused("a folder", catalogue);
    std::filesystem::remove(catalogue);

    // Found as the library finds it: the older name when no folder holds the
    // catalogue, and every folder of the list, split at ';' as well as ':'.
    const std::string older = (folder.path() / "fixstars.cat").string();
    std::ofstream(older) << "x\n";
    expectRefused("the older name", older);
    std::filesystem::remove(older);
    ScratchFolder second("stars-second");
    const std::string secondCatalogue = (second.path() / "sefstars.txt").string();
    std::ofstream(secondCatalogue) << "x\n";
    ASSERT_EQ(::unsetenv("SE_EPHE_PATH"), 0);
    ASSERT_TRUE(EphemerisDataPath::setEphemerisPath(folder.path().string() + ";" + second.path().string()));
    expectRefused("a later folder", secondCatalogue);

    // Mended, the same file is read again, by several threads at once: one star,
    // placed with the library's analytic theory as the folder holds no planetary files.
    std::ofstream(secondCatalogue, std::ios::trunc) << aldebaranLine << "\n";
    std::vector<std::optional<Expected<detail::BodyPosition>>> mended(4);
    std::vector<std::thread> workers;
    for (auto& result : mended) workers.emplace_back([&result] { result = detail::positionOf("Aldebaran", instant); });
    for (auto& worker : workers) worker.join();
    for (const auto& result : mended) {
        ASSERT_TRUE(*result) << (*result).error().message;
        EXPECT_NEAR((*result)->values[0], 70.124693450955547, 1e-5);
    }

    // The installed catalogue is untouched by all this.
    ASSERT_TRUE(EphemerisDataPath::setEphemerisPath(std::nullopt));
    const auto installed = onFreshThread([] { return Coordinate<FixedStar>::make(FixedStar::aldebaran, instant); });
    ASSERT_TRUE(installed) << installed.error().message;
    EXPECT_DOUBLE_EQ(installed->longitude(), 70.124693450955547);
    EXPECT_DOUBLE_EQ(installed->latitude(), -5.4661005628122687);
}
