// The private folders of the ephemeris bridge that runs killed outright left
// behind go at the next start; look-alikes that are not theirs to remove stay.
// Every folder here is made by the bridge itself, in a child process.

#include "platform/core/swiss_ephemeris.h"
#include "support/child_process.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

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
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t running = ::fork();
    if (running == 0) {
        swisseph::setEphemerisPath(std::nullopt);
        [[maybe_unused]] const ssize_t told = ::write(ready[1], "r", 1);
        ::pause();
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ASSERT_TRUE(swisseph::setEphemerisPath(std::nullopt));
    const fs::path own = folderOf(runtime.path(), ::getpid());
    const fs::path another = folderOf(runtime.path(), running);
    ASSERT_FALSE(own.empty());
    ASSERT_FALSE(another.empty());

    swisseph::removeLeftoverFolders();

    EXPECT_FALSE(fs::exists(left));
    EXPECT_FALSE(fs::exists(reused));
    EXPECT_TRUE(fs::exists(withMore / "notes.txt"));
    EXPECT_TRUE(fs::exists(withMore / ".owner"));
    EXPECT_TRUE(fs::exists(unmarked / "sepl_18.se1"));
    EXPECT_TRUE(fs::is_symlink(linked));
    EXPECT_TRUE(fs::exists(moved / ".owner"));
    if (!foreign.empty()) {
        EXPECT_TRUE(fs::exists(foreign / ".owner"));
    }
    EXPECT_TRUE(fs::exists(own / ".owner"));
    EXPECT_TRUE(fs::exists(another / ".owner"));

    ::kill(running, SIGKILL);
    ::waitpid(running, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    ASSERT_EQ(::setenv("XDG_RUNTIME_DIR", usualRuntime.c_str(), 1), 0);
    ASSERT_TRUE(swisseph::setEphemerisPath(std::nullopt));   // this run's folder goes with the old gathering
    EXPECT_FALSE(fs::exists(own));
    if (::geteuid() != 0) GTEST_SKIP() << "not root: the case of another user's folder was not run";
}
