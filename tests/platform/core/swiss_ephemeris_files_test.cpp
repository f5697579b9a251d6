// The bridge to the Swiss Ephemeris library: the library opens only data files
// the bridge checked, as they were checked. Crafted folders stand in for a data
// folder others may write; what crashed or stopped the library is refused
// before the library is asked.

#include "platform/core/swiss_ephemeris.h"
#include "support/child_process.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <locale.h>
#include <sched.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <semaphore>
#include <string>
#include <thread>
#include <utility>
#include <variant>
#include <vector>

using namespace swisseph;
namespace fs = std::filesystem;

namespace {

// Every test leaves the library on the installed data, without SE_EPHE_PATH,
// and its scratch folders removed.
class EphemerisFiles : public ::testing::Test {
protected:
    fs::path scratchFolder() {
        const auto& folder = scratch_.emplace_back("ephemeris-files");
        if (!folder.made()) ADD_FAILURE() << "no scratch folder";
        return folder.path();
    }

    void TearDown() override {
        ::unsetenv("SE_EPHE_PATH");
        ASSERT_TRUE(setEphemerisPath(std::nullopt));
        scratch_.clear();
    }

private:
    std::deque<testsupport::ScratchFolder> scratch_;
};

template <class T>
std::string errorOf(const Result<T>& result) {
    if (const auto* error = std::get_if<Error>(&result)) return error->message;
    return "no error";
}

void write(const fs::path& file, const std::string& text) { std::ofstream(file, std::ios::binary) << text; }

const std::string aldebaranLine =
    "Aldebaran  ,alTau,ICRS,04,35,55.23907,+16,30,33.4885,63.45,-188.94,54.26,48.94,0.86, 16,  629\n";
// The library crashes on its first star when a line of its catalogue has no comma.
const std::string noComma = "NOCOMMA\n";
const double instant = julianDay(2024, 3, 20, 3.1);

// The library reads its catalogue on a thread's first star, and a data file on
// the first position that needs it.
template <class Compute>
auto onFreshThread(Compute compute) {
    std::optional<decltype(compute())> result;
    std::thread([&] { result.emplace(compute()); }).join();
    return *result;
}

Result<StarPosition> aldebaran() { return fixedStar("Aldebaran", instant, flag::speed); }

// In a child process: a mount namespace of its own, with a tmpfs over `where`;
// why not, where the system allows none.
std::string ownTmpfs(const fs::path& where, unsigned long flags, const char* options) {
    if (::unshare(CLONE_NEWNS) != 0) return std::string("no mount namespace: ") + std::strerror(errno);
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("vadididod-test", where.c_str(), "tmpfs", flags, options) != 0)
        return std::string("no tmpfs: ") + std::strerror(errno);
    return {};
}

} // namespace

// The library ends a folder list at a line break and keeps at most 20 folders,
// the twentieth holding the rest: each list below reaches, as the library reads
// it, a catalogue the bridge never saw.
TEST_F(EphemerisFiles, FolderListsTheLibraryReadsOtherwiseAreRefused) {
    const fs::path root = scratchFolder();
    const fs::path bad = root / "bad";
    const fs::path twentieth = root / "p:" / "q";
    for (const fs::path& folder : {bad, twentieth}) {
        fs::create_directories(folder);
        write(folder / "sefstars.txt", noComma);
    }
    std::string nineteen;
    for (int i = 0; i < 19; ++i) nineteen += "/n:";
    const std::string readOtherwise = "SE_EPHE_PATH holds a line break or more than 20 folders, which the ephemeris "
                                      "library would read otherwise than it is written";
    for (const std::string& list :
         {bad.string() + "\n/x", bad.string() + "\r/x", nineteen + (root / "p").string() + ":/q"}) {
        EXPECT_FALSE(setEphemerisPath(list)) << list;
        ASSERT_EQ(::setenv("SE_EPHE_PATH", list.c_str(), 1), 0);
        ASSERT_TRUE(setEphemerisPath(std::nullopt));
        EXPECT_EQ(errorOf(onFreshThread(aldebaran)), readOtherwise) << list;
        ASSERT_EQ(::unsetenv("SE_EPHE_PATH"), 0);
    }
    // Twenty folders are read as written: the twentieth is searched as the others are.
    ASSERT_TRUE(setEphemerisPath(nineteen + bad.string()));
    EXPECT_EQ(errorOf(onFreshThread(aldebaran)),
              (bad / "sefstars.txt").string() + " is damaged: line 1 has fewer than the 14 fields of a star");
}

// Another file renamed over the catalogue between the check and the library's
// reading crashed the library (no comma) or stopped it (a FIFO, /dev/zero).
TEST_F(EphemerisFiles, TheLibraryReadsTheCatalogueThatWasChecked) {
    const fs::path folder = scratchFolder();
    const fs::path catalogue = folder / "sefstars.txt";
    const fs::path sound = folder / "sound";
    const fs::path hostile = folder / "hostile";
    write(sound, aldebaranLine);
    fs::copy_file(sound, catalogue);
    ASSERT_TRUE(setEphemerisPath(folder.string()));
    const auto reference = onFreshThread(aldebaran);
    ASSERT_EQ(errorOf(reference), "no error");
    // With the library's analytic theory, as the folder holds no planetary files
    // (swe_fixstar2 called directly with the same line gave 70.124696).
    EXPECT_NEAR(std::get<StarPosition>(reference).position.values[0], 70.124696, 1e-6);

    const std::pair<const char*, std::function<void()>> kinds[] = {
        {"no comma", [&] { write(hostile, noComma); }},
        {"a FIFO", [&] { ::mkfifo(hostile.c_str(), 0600); }},
        {"a link to /dev/zero", [&] { fs::create_symlink("/dev/zero", hostile); }},
    };
    for (const auto& [what, make] : kinds) {
        std::atomic<bool> done{false};
        std::thread flipper([&, make = make] {
            const fs::path copy = folder / "copy";
            while (!done) {
                make();
                fs::rename(hostile, catalogue);
                fs::copy_file(sound, copy, fs::copy_options::overwrite_existing);
                fs::rename(copy, catalogue);
            }
        });
        for (int i = 0; i < 1000; ++i) {
            const auto star = onFreshThread(aldebaran);
            if (std::holds_alternative<StarPosition>(star))
                EXPECT_EQ(std::get<StarPosition>(star).position.values, std::get<StarPosition>(reference).position.values);
            else
                EXPECT_EQ(errorOf(star).rfind(catalogue.string() + " ", 0), 0u) << what << ": " << errorOf(star);
        }
        done = true;
        flipper.join();
    }
}

// A planetary file or delta T table that is no regular file stopped every
// position for good (a FIFO) or was read as one; each is refused by name.
TEST_F(EphemerisFiles, DataFilesThatAreNoRegularFilesAreRefused) {
    const std::pair<const char*, std::function<void(const fs::path&)>> kinds[] = {
        {"a FIFO", [](const fs::path& file) { ::mkfifo(file.c_str(), 0600); }},
        {"a folder", [](const fs::path& file) { fs::create_directory(file); }},
        {"a link to /dev/zero", [](const fs::path& file) { fs::create_symlink("/dev/zero", file); }},
    };
    for (const char* name : {"sepl_18.se1", "semo_18.se1", "sedeltat.txt", "swe_deltat.txt"}) {
        for (const auto& [what, make] : kinds) {
            const fs::path folder = scratchFolder();
            const fs::path file = folder / name;
            make(file);
            ASSERT_TRUE(setEphemerisPath(folder.string()));
            EXPECT_EQ(errorOf(onFreshThread([] { return calculateUT(instant, body::moon, flag::speed); })),
                      file.string() + " is not a regular file")
                << name << ", " << what;
            EXPECT_TRUE(std::isnan(deltaT(instant))) << name << ", " << what;
        }
    }
}

// Files found sound are the ones read, whatever is renamed over them later.
TEST_F(EphemerisFiles, DataFilesReplacedAfterTheyWereFoundAreNotRead) {
    const auto installed = onFreshThread([] { return calculateUT(instant, body::moon, flag::speed); });
    ASSERT_EQ(errorOf(installed), "no error");
    const fs::path folder = scratchFolder();
    for (const char* name : {"sepl_18.se1", "semo_18.se1"})
        fs::copy_file(fs::path("/usr/share/libswe/ephe") / name, folder / name);
    ASSERT_TRUE(setEphemerisPath(folder.string()));
    fs::remove(folder / "semo_18.se1");
    ASSERT_EQ(::mkfifo((folder / "semo_18.se1").c_str(), 0600), 0);
    const auto moon = onFreshThread([] { return calculateUT(instant, body::moon, flag::speed); });
    ASSERT_EQ(errorOf(moon), "no error");
    EXPECT_FALSE(std::get<Position>(moon).usedMoshier());
    EXPECT_EQ(std::get<Position>(moon).values, std::get<Position>(installed).values);
}

// The library stores a delta T table's line at its year less 1620 without
// checking that it is 1620 or later, and reads NUL bytes as an empty line of
// year 0: a year before 1620, a run of NUL bytes, or a delta T that is not a
// number crashed every delta T or position. It is given only the lines it stores
// within its table, with a delta T within a million seconds, and at most 1 MiB
// of them.
TEST_F(EphemerisFiles, ADeltaTTableIsReadOnlyForTheLinesTheLibraryStoresSafely) {
    const auto chooseTable = [&](const std::string& table) {
        const fs::path folder = scratchFolder();
        write(folder / "sedeltat.txt", table);
        EXPECT_TRUE(setEphemerisPath(folder.string()));
        return folder / "sedeltat.txt";
    };
    for (const std::string table : {"1548 123456\n", "-2000000000 1\n", "# only this\n2024 nan\n"}) {
        const fs::path file = chooseTable(table);
        const auto [node, days] = onFreshThread(
            [] { return std::pair(calculateUT(instant, body::meanNode, flag::speed), deltaT(instant)); });
        EXPECT_EQ(errorOf(node), file.string() + " is damaged: it holds no year from 1620 to 2128 with a delta T "
                                                 "within a million seconds");
        EXPECT_TRUE(std::isnan(days));
    }
    const auto deltaTIn = [&](const std::string& table, double when) {
        chooseTable(table);
        return onFreshThread([when] { return deltaT(when); });
    };
    // What the library gives for the sound line alone (swe_deltat through a
    // table of "1960 100": 100 seconds, to the last bit), which it reads from
    // the end of a comment of 263 bytes, as the rest of a line past 255 bytes.
    const std::string longComment = "#" + std::string(254, 'x') + "1960 100\n";
    EXPECT_EQ(deltaTIn(longComment + std::string(4096, '\0') + "\n1548 123456\n", julianDay(1960, 1, 1, 0.0)),
              100.0 / 86400.0);
    // The library's own example, with a blank, a tab and a carriage return: as
    // the library reads the same file (0.00075946231863914179 without it).
    EXPECT_EQ(deltaTIn("# Format: year and seconds (decimal)\n2007 65.15\n 2008\t65.46\r\n2009 65.78\n",
                       julianDay(2008, 7, 1, 0.0)),
              0.00075949756703691681);
    // A table larger than 1 MiB is refused before any of it is read (100 GB
    // here, sparse).
    const fs::path folder = scratchFolder();
    write(folder / "sedeltat.txt", "2000 63.8\n");
    fs::resize_file(folder / "sedeltat.txt", std::uintmax_t{100} << 30);
    ASSERT_TRUE(setEphemerisPath(folder.string()));
    EXPECT_EQ(errorOf(onFreshThread([] { return calculateUT(instant, body::sun, flag::speed); })),
              (folder / "sedeltat.txt").string() + " is larger than 1 MiB");
}

// The library keeps the stars a thread read, and the last one it found, until
// the thread ends: a thread that had placed Aldebaran placed it as before from a
// catalogue since replaced, or from a folder no longer chosen.
TEST_F(EphemerisFiles, EveryThreadReadsTheLatestCatalogue) {
    const fs::path folder = scratchFolder();
    write(folder / "sefstars.txt", aldebaranLine);
    ASSERT_TRUE(setEphemerisPath(folder.string()));
    std::binary_semaphore toWorker{0};
    std::binary_semaphore toTest{0};
    std::vector<Result<StarPosition>> placed;
    std::thread worker([&] {
        for (int step = 0; step < 3; ++step) {
            toWorker.acquire();
            placed.push_back(aldebaran());
            toTest.release();
        }
    });
    const auto onWorker = [&] {
        toWorker.release();
        toTest.acquire();
        return placed.back();
    };
    const auto before = onWorker();
    // Moved from 4h35m of right ascension to 10h35m.
    std::string moved = aldebaranLine;
    moved.replace(moved.find(",04,"), 4, ",10,");
    write(folder / "new", moved);
    fs::rename(folder / "new", folder / "sefstars.txt");
    const auto replaced = onWorker();
    const auto fresh = onFreshThread(aldebaran);
    EXPECT_TRUE(setEphemerisPath(scratchFolder().string()));
    const auto withoutCatalogue = onWorker();
    worker.join();

    ASSERT_EQ(errorOf(before), "no error");
    EXPECT_NEAR(std::get<StarPosition>(before).position.values[0], 70.124696, 1e-6);
    ASSERT_EQ(errorOf(fresh), "no error");
    // swe_fixstar2 on a thread of its own, with the moved line alone.
    EXPECT_NEAR(std::get<StarPosition>(fresh).position.values[0], 154.755907, 1e-6);
    ASSERT_EQ(errorOf(replaced), "no error");
    EXPECT_EQ(std::get<StarPosition>(replaced).position.values, std::get<StarPosition>(fresh).position.values);
    EXPECT_EQ(errorOf(withoutCatalogue), "error, swe_fixstar(): could not find star name aldebaran");
}

// Descriptors ran short once, during a gathering: every later call failed, on
// every thread and with the analytic theory too, naming a sound file and no cause.
TEST_F(EphemerisFiles, ARefusalForWantOfDescriptorsIsNotKept) {
    const auto calls = [] {
        EXPECT_TRUE(setEphemerisPath(std::nullopt));   // gathered again, now
        return std::pair(calculateUT(instant, body::moon, flag::speed),
                         onFreshThread([] { return calculateUT(instant, body::moon, flag::moshier); }));
    };
    // Once as usual first: a sanitizer checking the type of an object for the
    // first time needs descriptors of its own.
    calls();
    rlimit usual{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &usual), 0);
    rlimit none = usual;
    none.rlim_cur = 0;   // no new descriptor at all; those open stay usable
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &none), 0);
    const auto [moon, analytic] = calls();
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &usual), 0);
    EXPECT_NE(errorOf(moon).find("Too many open files (EMFILE)"), std::string::npos) << errorOf(moon);
    EXPECT_EQ(errorOf(analytic), "no error");
    for (const auto& later : {calculateUT(instant, body::moon, flag::speed),
                              onFreshThread([] { return calculateUT(instant, body::moon, flag::speed); })}) {
        ASSERT_EQ(errorOf(later), "no error");
        EXPECT_FALSE(std::get<Position>(later).usedMoshier());
    }
}

// With no folder that takes a private one, every call failed, as calls that read
// no file have no need of one.
TEST_F(EphemerisFiles, WithoutAPrivateFolderOnlyCallsThatReadFilesFail) {
    const auto sun = calculateUT(instant, body::sun, flag::moshier | flag::speed);
    ASSERT_EQ(errorOf(sun), "no error");
    const auto run = testsupport::runInChild([&] {
        if (auto why = ownTmpfs("/tmp", MS_RDONLY, "mode=1777"); !why.empty()) return "skip: " + why;
        ::setenv("XDG_RUNTIME_DIR", "/dev/null", 1);
        ::unsetenv("TMPDIR");
        if (!setEphemerisPath(std::nullopt)) return std::string("not gathered again");
        const auto analytic = calculateUT(instant, body::sun, flag::moshier | flag::speed);
        const auto* position = std::get_if<Position>(&analytic);
        return errorOf(calculateUT(instant, body::sun, flag::speed)) + "\n" + errorOf(aldebaran()) + "\n" +
               (std::isnan(deltaT(instant)) ? "no delta T" : "a delta T") + "\n" +
               (position && position->values == std::get<Position>(sun).values ? "the same Sun" : errorOf(analytic)) +
               "\n" + errorOf(ayanamsha(instant));
    });
    if (run.output.starts_with("skip: ")) GTEST_SKIP() << run.output;
    const std::string noFolder = "no private folder could be made for the ephemeris data files: /dev/null "
                                 "(XDG_RUNTIME_DIR): not a folder; TMPDIR is not set; /tmp: Read-only file system "
                                 "(EROFS)";
    EXPECT_EQ(run.output, noFolder + "\n" + noFolder + "\nno delta T\nthe same Sun\nno error");
}

// A full XDG_RUNTIME_DIR took the folder and its links but not the star
// catalogue's copy, and the next parent was never tried.
TEST_F(EphemerisFiles, AFolderThatTakesNoCopyGivesWayToTheNextParent) {
    const fs::path runtime = scratchFolder();
    const fs::path temporary = scratchFolder();
    const auto run = testsupport::runInChild([&] {
        // Room for the folder and its links, not for the 136 kB catalogue.
        if (auto why = ownTmpfs(runtime, 0, "size=64k,mode=0700"); !why.empty()) return "skip: " + why;
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        ::setenv("TMPDIR", temporary.c_str(), 1);
        if (!setEphemerisPath(std::nullopt)) return std::string("not gathered again");
        std::string findings = errorOf(calculateUT(instant, body::moon, flag::speed)) + "\n" + errorOf(aldebaran());
        for (const fs::path& parent : {runtime, temporary}) {
            int folders = 0;
            bool catalogue = false;
            for (const auto& folder : fs::directory_iterator(parent)) {
                ++folders;
                catalogue = catalogue || fs::exists(folder.path() / "sefstars.txt");
            }
            findings += "\n" + std::to_string(folders) + (catalogue ? " with the catalogue" : " without it");
        }
        return findings;
    });
    if (run.output.starts_with("skip: ")) GTEST_SKIP() << run.output;
    EXPECT_EQ(run.output, "no error\nno error\n0 without it\n1 with the catalogue");
}

// The library reads its star catalogue and delta T table with atof, which
// follows LC_NUMERIC, and Qt sets that from LANG. Under a locale that writes
// "1,5", Aldebaran came out 3.5" off (70.158281017 degrees for 2026-01-01 0h
// UT), a table's "69.25" became 69 seconds, and the positions that take their
// delta T from it moved. No such locale need be installed, so the test makes
// one; where it cannot, it fails, as it could tell nothing.
TEST_F(EphemerisFiles, DataFilesAreReadInTheCNumberFormatWhateverTheLocale) {
    const fs::path locales = scratchFolder();
    const std::string make = "localedef -i de_DE -f UTF-8 " + (locales / "de_DE.UTF-8").string() + " >/dev/null";
    ASSERT_EQ(std::system(make.c_str()), 0) << make << ": the Debian package locales holds its sources";
    const fs::path tables = scratchFolder();
    // As the C locale reads them: 69.25 seconds, then 100 (atof stops at the comma).
    write(tables / "sedeltat.txt", "2024 69.25\n2025 100,5\n");
    const std::string withTable = tables.string() + ":" + std::string(installedEphemerisPath());
    const auto text = [](double value) {
        char digits[32];
        return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    };
    // Each on a thread of its own, which reads the files afresh.
    const auto findings = [&] {
        if (!setEphemerisPath(std::nullopt)) return std::string("installed data refused");
        const double newYear = julianDay(2026, 1, 1, 0.0);
        const auto star = onFreshThread([&] { return fixedStar("Aldebaran", newYear + deltaT(newYear), flag::speed); });
        if (!setEphemerisPath(withTable)) return std::string("the table's folder refused");
        const double midYear = julianDay(2024, 7, 1, 0.0);
        const auto moon = onFreshThread([&] { return calculateUT(midYear, body::moon, flag::speed); });
        return (std::holds_alternative<StarPosition>(star) ? text(std::get<StarPosition>(star).position.values[0])
                                                           : errorOf(star)) +
               "\n" + text(onFreshThread([] { return deltaT(julianDay(2024, 1, 1, 0.0)); })) + "\n" +
               text(onFreshThread([] { return deltaT(julianDay(2025, 1, 1, 0.0)); })) + "\n" +
               (std::holds_alternative<Position>(moon) ? text(std::get<Position>(moon).values[0]) : errorOf(moon));
    };
    const fs::path childRuntime = scratchFolder();
    const auto commaDecimals = testsupport::runInChild([&] {
        // The child ends without removing its private folder: it goes with this one.
        ::setenv("XDG_RUNTIME_DIR", childRuntime.c_str(), 1);
        ::setenv("LOCPATH", locales.c_str(), 1);
        if (::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) return std::string("de_DE.UTF-8 not taken");
        if (std::string_view(::localeconv()->decimal_point) != ",") return std::string("no decimal comma");
        return findings();
    });
    const std::string inC = findings();
    EXPECT_EQ(commaDecimals.output, inC);
    // swe_fixstar2_ut, and swe_deltat with this table alone, in the C locale.
    const auto lines = [&] {
        std::vector<std::string> split;
        for (std::size_t start = 0; start <= inC.size();) {
            const std::size_t end = std::min(inC.find('\n', start), inC.size());
            split.push_back(inC.substr(start, end - start));
            start = end + 1;
        }
        return split;
    }();
    ASSERT_EQ(lines.size(), 4u) << inC;
    EXPECT_NEAR(std::stod(lines[0]), 70.159252249, 5e-10);
    EXPECT_EQ(lines[1], text(69.25 / 86400.0));
}
