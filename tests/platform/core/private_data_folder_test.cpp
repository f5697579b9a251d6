// The private folders of the ephemeris bridge that runs killed outright left
// behind go at the next start; look-alikes that are not theirs to remove stay.
// Every folder here is made by the bridge itself, in a child process. And the
// bridge makes its folder only where no one else may swap it.

#include "platform/core/internal/private_data_folder.h"
#include "platform/core/swiss_ephemeris.h"
#include "support/child_process.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <sched.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>
#include <algorithm>

namespace fs = std::filesystem;

namespace {

std::string prefixOf(pid_t process) { return "vadididod-ephemeris-" + std::to_string(process) + "-"; }

// The folder the process made in `parent`; none when it made none.
fs::path folderOf(const fs::path& parent, pid_t process) {
    for (const auto& entry : fs::directory_iterator(parent))
        if (entry.path().filename().string().starts_with(prefixOf(process))) return entry.path();
    return {};
}

// The folder of a run that made it and was killed outright.
fs::path leftBy(const fs::path& parent) {
    const auto run = testsupport::runInChild([] {
        swisseph::setEphemerisPath(std::nullopt);   // gathered anew, in a folder of its own
        ::raise(SIGKILL);
        return std::string();
    });
    return folderOf(parent, run.pid);
}

// A run that keeps running, its folder made, until the object goes.
class RunningCopy {
public:
    RunningCopy() {
        int ready[2];
        if (::pipe(ready) != 0) return;
        process_ = ::fork();
        if (process_ == 0) {
            swisseph::setEphemerisPath(std::nullopt);
            [[maybe_unused]] const ssize_t told = ::write(ready[1], "r", 1);
            ::pause();
            ::_exit(0);
        }
        ::close(ready[1]);
        char byte = 0;
        started_ = process_ > 0 && ::read(ready[0], &byte, 1) == 1;
        ::close(ready[0]);
    }
    ~RunningCopy() {
        if (process_ <= 0) return;
        ::kill(process_, SIGKILL);
        ::waitpid(process_, nullptr, 0);
    }
    RunningCopy(const RunningCopy&) = delete;
    RunningCopy& operator=(const RunningCopy&) = delete;

    pid_t process() const noexcept { return process_; }
    bool started() const noexcept { return started_; }

private:
    pid_t process_ = -1;
    bool started_ = false;
};

// XDG_RUNTIME_DIR and TMPDIR (unset for none) for the object's life; then, as
// they were, a folder of this process's own again outside the test's folders.
class Parents {
public:
    Parents(const fs::path& runtime, const std::optional<fs::path>& temporary)
        : runtime_(value("XDG_RUNTIME_DIR")), temporary_(value("TMPDIR")) {
        set("XDG_RUNTIME_DIR", runtime.string());
        set("TMPDIR", temporary ? std::optional(temporary->string()) : std::nullopt);
    }
    ~Parents() {
        set("XDG_RUNTIME_DIR", runtime_);
        set("TMPDIR", temporary_);
        static_cast<void>(swisseph::setEphemerisPath(std::nullopt));
    }
    Parents(const Parents&) = delete;
    Parents& operator=(const Parents&) = delete;

private:
    static std::optional<std::string> value(const char* name) {
        const char* text = ::getenv(name);
        return text ? std::optional<std::string>(text) : std::nullopt;
    }
    static void set(const char* name, const std::optional<std::string>& text) {
        if (text) ::setenv(name, text->c_str(), 1);
        else ::unsetenv(name);
    }
    std::optional<std::string> runtime_;
    std::optional<std::string> temporary_;
};

std::string firstLineOf(const fs::path& file) {
    std::string line;
    std::getline(std::ifstream(file), line);
    return line;
}

} // namespace

TEST(LeftoverFolders, OnlyFoldersOfRunsThatEndedGo) {
    const testsupport::ScratchFolder runtime("leftovers");
    const std::string usualRuntime = ::getenv("XDG_RUNTIME_DIR") ? ::getenv("XDG_RUNTIME_DIR") : "";
    ASSERT_EQ(::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1), 0);
    ASSERT_EQ(::unsetenv("TMPDIR"), 0);

    const fs::path left = leftBy(runtime.path());
    ASSERT_TRUE(fs::exists(left / ".owner")) << left;
    // Its number given to a process that runs now and started at another time:
    // process 1, started before any test.
    const fs::path reused = runtime.path() / (prefixOf(1) + "Reused");
    fs::rename(leftBy(runtime.path()), reused);
    // Not what such a run leaves: something more in it, no marker, a link to it.
    const fs::path withMore = leftBy(runtime.path());
    std::ofstream(withMore / "notes.txt") << "mine\n";
    const fs::path unmarked = leftBy(runtime.path());
    fs::remove(unmarked / ".owner");
    const fs::path linked = leftBy(runtime.path());
    const fs::path moved = runtime.path() / "moved";
    fs::rename(linked, moved);
    fs::create_directory_symlink(moved, linked);
    // Another user's (only root can give it away).
    const fs::path foreign = ::geteuid() == 0 ? leftBy(runtime.path()) : fs::path();
    if (!foreign.empty()) {
        for (const auto& entry : fs::recursive_directory_iterator(foreign))
            ASSERT_EQ(::lchown(entry.path().c_str(), 65534, 65534), 0);
        ASSERT_EQ(::lchown(foreign.c_str(), 65534, 65534), 0);
    }
    // Runs that still run: another, and this one.
    const RunningCopy running;
    ASSERT_TRUE(running.started());
    ASSERT_TRUE(swisseph::setEphemerisPath(std::nullopt));
    const fs::path own = folderOf(runtime.path(), ::getpid());
    const fs::path another = folderOf(runtime.path(), running.process());
    ASSERT_FALSE(own.empty());
    ASSERT_FALSE(another.empty());

    swisseph::removeLeftoverFolders();

    EXPECT_FALSE(fs::exists(left));
    EXPECT_FALSE(fs::exists(reused));
    EXPECT_TRUE(fs::exists(withMore / "notes.txt"));
    EXPECT_TRUE(fs::exists(withMore / ".owner"));
    EXPECT_TRUE(fs::is_symlink(unmarked / "sepl_18.se1"));
    EXPECT_TRUE(fs::is_symlink(linked));
    EXPECT_TRUE(fs::exists(moved / ".owner"));
    if (!foreign.empty()) {
        EXPECT_TRUE(fs::exists(foreign / ".owner"));
    }
    EXPECT_TRUE(fs::exists(own / ".owner"));
    EXPECT_TRUE(fs::exists(another / ".owner"));

    ASSERT_EQ(::setenv("XDG_RUNTIME_DIR", usualRuntime.c_str(), 1), 0);
    ASSERT_TRUE(swisseph::setEphemerisPath(std::nullopt));   // this run's folder goes with the old gathering
    EXPECT_FALSE(fs::exists(own));
    if (::geteuid() != 0) GTEST_SKIP() << "not root: the case of another user's folder was not run";
}

// The marker names the machine: a folder of another machine's process (a TMPDIR
// on a network file system) says nothing of this machine's processes, and was
// removed while that process ran. It stays, as does one whose marker, of the
// form earlier versions wrote, names no machine; one of this machine's earlier
// boots goes.
TEST(LeftoverFolders, OnlyFoldersOfThisMachineGo) {
    const testsupport::ScratchFolder runtime("leftovers");
    const Parents parents(runtime.path(), std::nullopt);
    std::string machine = firstLineOf("/etc/machine-id");
    if (machine.empty()) machine = firstLineOf("/var/lib/dbus/machine-id");
    ASSERT_EQ(machine.size(), 32u) << "no machine id";
    const std::string boot = firstLineOf("/proc/sys/kernel/random/boot_id");
    const std::string processNumbers = fs::read_symlink("/proc/self/ns/pid").string();
    // A marker names the boot, the machine, the space of process numbers and the
    // start time; that of a run killed is wrong, as the number is free.
    const auto markedAs = [&](const std::string& marker) {
        const fs::path folder = leftBy(runtime.path());
        std::ofstream(folder / ".owner", std::ios::trunc) << marker << " 1\n";
        return folder;
    };
    const fs::path left = leftBy(runtime.path());
    const std::string otherBoot = "01234567-89ab-4def-8123-456789abcdef";
    const fs::path ofAnotherMachine = markedAs(otherBoot + " 0123456789abcdef0123456789abcdef " + processNumbers);
    const fs::path ofAnEarlierBoot = markedAs(otherBoot + ' ' + machine + ' ' + processNumbers);
    const fs::path ofThisBoot = markedAs(boot + ' ' + machine + ' ' + processNumbers);
    const fs::path ofTheEarlierForm = markedAs(boot + ' ' + processNumbers);

    swisseph::removeLeftoverFolders();

    EXPECT_FALSE(fs::exists(left));
    EXPECT_FALSE(fs::exists(ofAnEarlierBoot));
    EXPECT_FALSE(fs::exists(ofThisBoot));
    EXPECT_TRUE(fs::exists(ofAnotherMachine / ".owner"));
    EXPECT_TRUE(fs::exists(ofTheEarlierForm / ".owner"));
}

// In a PID namespace made without a /proc of its own, /proc/<number> is another
// process: a sweep there read another process's start time for a running
// copy's number and removed its folder (its delta T then silently fell back to
// the library's model). There nothing is removed.
TEST(LeftoverFolders, NoneGoWhereProcShowsOtherProcessNumbers) {
    const testsupport::ScratchFolder runtime("leftovers");
    const Parents parents(runtime.path(), std::nullopt);
    const fs::path killed = leftBy(runtime.path());
    const auto run = testsupport::runInChild([&] {
        if (::unshare(CLONE_NEWPID) != 0) return std::string("skip: no PID namespace: ") + std::strerror(errno);
        // Process 1 of the new namespace, by /proc the first process of the machine.
        const RunningCopy running;
        if (!running.started()) return std::string("the running copy did not start");
        const pid_t sweeping = ::fork();
        if (sweeping == 0) {
            swisseph::removeLeftoverFolders();
            ::_exit(0);
        }
        ::waitpid(sweeping, nullptr, 0);
        const fs::path folder = folderOf(runtime.path(), 1);
        std::string findings = folder.empty() ? "no folder of the running copy" : "the running copy's folder";
        return findings + (fs::exists(killed) ? ", the killed run's folder" : "");
    });
    if (run.output.starts_with("skip: ")) GTEST_SKIP() << run.output;
    EXPECT_EQ(run.output, "the running copy's folder, the killed run's folder");
    // Where /proc shows this process's numbers, the killed run's folder goes.
    swisseph::removeLeftoverFolders();
    EXPECT_FALSE(fs::exists(killed));
}

// The owner of a sticky folder may rename what is in it, and so put a folder of
// its own in the private folder's place: in another user's, a planted delta T
// table was read, and a planted FIFO stopped the call for good. Such a parent is
// passed over; a sticky one of root's, as /tmp is, serves.
TEST(PrivateFolders, AStickyFolderOfAnotherUserIsPassedOver) {
    if (::geteuid() != 0) GTEST_SKIP() << "not root: no folder can be given to another user";
    const testsupport::ScratchFolder runtime("sticky");
    const testsupport::ScratchFolder temporary("own");
    ASSERT_EQ(::chmod(runtime.path().c_str(), 01777), 0);
    ASSERT_EQ(::chown(runtime.path().c_str(), 65534, 65534), 0);
    const Parents parents(runtime.path(), temporary.path());
    ASSERT_TRUE(swisseph::setEphemerisPath(std::nullopt));
    EXPECT_TRUE(folderOf(runtime.path(), ::getpid()).empty());
    EXPECT_FALSE(folderOf(temporary.path(), ::getpid()).empty());

    ASSERT_EQ(::chown(runtime.path().c_str(), 0, 0), 0);
    ASSERT_TRUE(swisseph::setEphemerisPath(std::nullopt));
    EXPECT_FALSE(folderOf(runtime.path(), ::getpid()).empty());
}

// The folder goes with what the bridge made in it and nothing else. Entries of
// the user's there, one of them under a name the bridge was to link and one
// under a name it was to write, were removed or written over; they stay now,
// with the folder that holds them.
TEST(PrivateFolders, OnlyWhatTheFolderMadeGoesWithIt) {
    const testsupport::ScratchFolder runtime("private-entries");
    ASSERT_TRUE(runtime.made());
    const Parents parents(runtime.path(), std::nullopt);
    const auto write = [](const fs::path& file, const std::string& text) { std::ofstream(file) << text; };
    write(runtime.path() / "planet.se1", "the bridge's\n");

    swisseph::FolderFailures failures;
    auto folder = swisseph::PrivateDataFolder::make(0, failures);
    ASSERT_NE(folder, nullptr) << failures.reasons;
    const fs::path path = folder->path();
    write(path / "sepl_18.se1", "the user's planets\n");
    write(path / "swe_deltat.txt", "the user's table\n");
    write(path / "notes.txt", "the user's notes\n");

    auto planets = platform::OutsideFile::open((runtime.path() / "planet.se1").string());
    ASSERT_TRUE(planets);
    EXPECT_FALSE(folder->link("sepl_18.se1", std::move(*planets)));
    EXPECT_FALSE(folder->write("swe_deltat.txt", "2024 69.25\n"));
    folder->remove("notes.txt");
    EXPECT_TRUE(folder->write("sefstars.txt", "a catalogue\n"));
    EXPECT_TRUE(folder->write("sefstars.txt", "a newer catalogue\n"));
    EXPECT_EQ(firstLineOf(path / "sefstars.txt"), "a newer catalogue");
    folder.reset();

    EXPECT_EQ(firstLineOf(path / "sepl_18.se1"), "the user's planets");
    EXPECT_EQ(firstLineOf(path / "swe_deltat.txt"), "the user's table");
    EXPECT_EQ(firstLineOf(path / "notes.txt"), "the user's notes");
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(path)) left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"notes.txt", "sepl_18.se1", "swe_deltat.txt"}));
}
