// The ephemeris bridge's private folder when a signal cuts its system calls
// short (EINTR): each call is made again, as the kernel asks, where it was
// taken for a failure that lost the folder, a copy or a sweep.
//
// This binary stands in for the C library's calls that make, fill, sweep and
// remove the private folders: while armed, every other call on such a folder
// (or on the folder holding them) fails with EINTR, and each other call goes
// on to the kernel.

#include "platform/core/swiss_ephemeris.h"
#include "support/child_process.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace fs = std::filesystem;

namespace {

enum Call : std::size_t {
    openCall, openatCall, symlinkCall, linkCall, renameCall, mkdtempCall, unlinkCall, unlinkatCall, rmdirCall, calls
};
constexpr std::array<const char*, calls> callNames = {"open",    "openat", "symlink",  "link", "rename",
                                                      "mkdtemp", "unlink", "unlinkat", "rmdir"};

std::atomic<bool> armed{false};
std::array<std::atomic<bool>, calls> interruptedLast{};
std::array<std::atomic<int>, calls> interruptions{};
// The folder holding the private folders, itself interrupted when opened.
std::string parentFolder;

bool ofAPrivateFolder(const char* path) {
    return path != nullptr && (std::strstr(path, "/vadididod-ephemeris-") != nullptr || parentFolder == path);
}

// Whether this call fails with EINTR: every other one on a private folder while armed.
bool interrupted(Call call, bool onAPrivateFolder) {
    if (!armed || !onAPrivateFolder || interruptedLast[call].exchange(false)) return false;
    interruptedLast[call] = true;
    ++interruptions[call];
    errno = EINTR;
    return true;
}

// The mode an open call passes after its flags, when they create a file.
mode_t creationMode(int flags, va_list rest) {
    return (flags & O_CREAT) != 0 ? static_cast<mode_t>(va_arg(rest, int)) : 0;
}

} // namespace

extern "C" int open(const char* path, int flags, ...) {
    va_list rest;
    va_start(rest, flags);
    const mode_t mode = creationMode(flags, rest);
    va_end(rest);
    if (interrupted(openCall, ofAPrivateFolder(path))) return -1;
    return static_cast<int>(::syscall(SYS_openat, AT_FDCWD, path, flags, mode));
}

extern "C" int openat(int folder, const char* name, int flags, ...) {
    va_list rest;
    va_start(rest, flags);
    const mode_t mode = creationMode(flags, rest);
    va_end(rest);
    const std::string_view entry(name);
    if (interrupted(openatCall, entry.starts_with("vadididod-ephemeris-") || entry == ".owner")) return -1;
    return static_cast<int>(::syscall(SYS_openat, folder, name, flags, mode));
}

extern "C" int symlink(const char* target, const char* path) noexcept {
    if (interrupted(symlinkCall, ofAPrivateFolder(path))) return -1;
    return static_cast<int>(::syscall(SYS_symlinkat, target, AT_FDCWD, path));
}

extern "C" int link(const char* from, const char* to) noexcept {
    if (interrupted(linkCall, ofAPrivateFolder(to))) return -1;
    return static_cast<int>(::syscall(SYS_linkat, AT_FDCWD, from, AT_FDCWD, to, 0));
}

extern "C" int rename(const char* from, const char* to) noexcept {
    if (interrupted(renameCall, ofAPrivateFolder(to))) return -1;
    return static_cast<int>(::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, 0));
}

extern "C" char* mkdtemp(char* pattern) noexcept {
    using Mkdtemp = char* (*)(char*);
    static const auto next = reinterpret_cast<Mkdtemp>(::dlsym(RTLD_NEXT, "mkdtemp"));
    if (interrupted(mkdtempCall, ofAPrivateFolder(pattern))) {
        // As the C library leaves it after a failed try: its letters filled in.
        const std::size_t length = std::strlen(pattern);
        if (length >= 6) std::memcpy(pattern + length - 6, "tried1", 6);
        return nullptr;
    }
    return next(pattern);
}

extern "C" int unlink(const char* path) noexcept {
    if (interrupted(unlinkCall, ofAPrivateFolder(path))) return -1;
    return static_cast<int>(::syscall(SYS_unlinkat, AT_FDCWD, path, 0));
}

// Only the sweep removes entries by a folder's descriptor.
extern "C" int unlinkat(int folder, const char* name, int flags) noexcept {
    if (interrupted(unlinkatCall, true)) return -1;
    return static_cast<int>(::syscall(SYS_unlinkat, folder, name, flags));
}

extern "C" int rmdir(const char* path) noexcept {
    if (interrupted(rmdirCall, ofAPrivateFolder(path))) return -1;
    return static_cast<int>(::syscall(SYS_unlinkat, AT_FDCWD, path, AT_REMOVEDIR));
}

namespace {

using namespace swisseph;

template <class T>
std::string errorOf(const Result<T>& result) {
    if (const auto* error = std::get_if<Error>(&result)) return error->message;
    return "no error";
}

// The private folders of this process in `parent`.
std::vector<fs::path> foldersOf(const fs::path& parent, pid_t process) {
    std::vector<fs::path> folders;
    const std::string prefix = "vadididod-ephemeris-" + std::to_string(process) + "-";
    for (const auto& entry : fs::directory_iterator(parent))
        if (entry.path().filename().string().starts_with(prefix)) folders.push_back(entry.path());
    return folders;
}

const std::string aldebaranLine =
    "Aldebaran  ,alTau,ICRS,04,35,55.23907,+16,30,33.4885,63.45,-188.94,54.26,48.94,0.86, 16,  629\n";

} // namespace

// The folder made, the planetary files linked, the delta T table and star
// catalogue copied (and the catalogue's copy replaced), a killed run's folder swept and a folder no longer used
// removed, each while every other call on them is interrupted.
TEST(InterruptedCalls, ThePrivateFolderMakesThemAgain) {
    const testsupport::ScratchFolder runtime("interrupted-runtime");
    const testsupport::ScratchFolder data("interrupted-data");
    ASSERT_TRUE(runtime.made() && data.made());
    parentFolder = runtime.path().string();
    const std::string usualRuntime = ::getenv("XDG_RUNTIME_DIR") ? ::getenv("XDG_RUNTIME_DIR") : "/dev/null";
    ASSERT_EQ(::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1), 0);
    ASSERT_EQ(::unsetenv("TMPDIR"), 0);
    std::ofstream(data.path() / "sedeltat.txt") << "2024 69.25\n";
    std::ofstream(data.path() / "sefstars.txt") << aldebaranLine;
    const std::string folders = data.path().string() + ":" + std::string(installedEphemerisPath());
    // A run killed outright, whose folder the sweep is to remove.
    const auto killed = testsupport::runInChild([] {
        setEphemerisPath(std::nullopt);
        ::raise(SIGKILL);
        return std::string();
    });
    const auto left = foldersOf(runtime.path(), killed.pid);
    ASSERT_EQ(left.size(), 1u);

    armed = true;
    removeLeftoverFolders();
    const bool chosen = setEphemerisPath(folders);
    const auto first = foldersOf(runtime.path(), ::getpid());
    const double julianDay = swisseph::julianDay(2024, 1, 1, 0.0);
    const double days = deltaT(julianDay);
    const auto moon = calculateUT(julianDay, body::moon, flag::speed);
    const auto star = fixedStar("Aldebaran", julianDay, flag::speed);
    // A changed catalogue replaces the copy of the one before.
    std::ofstream(data.path() / "sefstars.txt") << "# changed\n" << aldebaranLine;
    const auto starAgain = fixedStar("Aldebaran", julianDay, flag::speed);
    // The first folder goes with the gathering that made it.
    const bool chosenAgain = setEphemerisPath(std::string(installedEphemerisPath()));
    const auto second = foldersOf(runtime.path(), ::getpid());
    armed = false;

    EXPECT_TRUE(chosen);
    EXPECT_TRUE(chosenAgain);
    EXPECT_FALSE(fs::exists(left.front()));
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(days, 69.25 / 86400.0);
    ASSERT_EQ(errorOf(moon), "no error");
    EXPECT_FALSE(std::get<Position>(moon).usedMoshier());
    EXPECT_EQ(errorOf(star), "no error");
    EXPECT_EQ(errorOf(starAgain), "no error");
    ASSERT_EQ(second.size(), 1u);
    EXPECT_NE(second.front(), first.front());
    for (std::size_t call = 0; call < calls; ++call)
        EXPECT_GT(interruptions[call], 0) << callNames[call] << " was never interrupted";

    ASSERT_EQ(::setenv("XDG_RUNTIME_DIR", usualRuntime.c_str(), 1), 0);
    ASSERT_TRUE(setEphemerisPath(std::nullopt));   // this run's folder leaves the scratch folder
}
