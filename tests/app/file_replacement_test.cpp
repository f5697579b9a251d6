// Replacing a file whole: a write, sync or rename that fails, or writes that
// stop short, leave the file as it was and nothing beside it; a call cut short
// by a signal is made again; a link is replaced where it leads and stays a
// link; the file keeps its permission bits, and one that holds the bytes
// already is left untouched.

#include "app/file_replacement.h"

#include "support/failing_writes.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <utility>

namespace {

namespace fs = std::filesystem;

std::string contentsOf(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void writeFile(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::size_t entriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// Takes the first eight bytes, then is full.
ssize_t fillsUp(int fd, const void* bytes, std::size_t count) {
    if (::lseek(fd, 0, SEEK_CUR) > 0) return testsupport::fullDiskWrite(fd, bytes, count);
    return ::write(fd, bytes, std::min<std::size_t>(count, 8));
}
ssize_t takesNothing(int, const void*, std::size_t) { return 0; }
int failingSync(int) {
    errno = EIO;
    return -1;
}
int failingRename(int, const char*, int, const char*) {
    errno = EACCES;
    return -1;
}

struct Fault {
    const char* what;
    app::DiskCalls calls;
    const char* step;
    int error;
};

TEST(FileReplacement, AFailedStepLeavesTheFileAsItWas) {
    const testsupport::ScratchFolder folder;
    ASSERT_TRUE(folder.made());
    const fs::path path = folder.path() / "store";
    const Fault faults[] = {
        {"full disk", {testsupport::fullDiskWrite, ::fdatasync}, "write", ENOSPC},
        {"failing disk", {testsupport::failingDiskWrite, ::fdatasync}, "write", EIO},
        {"short write, then full", {fillsUp, ::fdatasync}, "write", ENOSPC},
        {"write taking nothing", {takesNothing, ::fdatasync}, "write", EIO},
        {"failing sync", {::write, failingSync}, "sync", EIO},
        {"failing rename", {::write, ::fdatasync, failingRename}, "rename", EACCES},
    };
    for (const Fault& fault : faults) {
        writeFile(path, "theme=2\ncoordsLat=12.5\n");
        app::useDiskCalls(fault.calls);
        const auto failure = app::replaceFileWhole(path, "theme=1\ncoordsLat=12.5\nand more besides\n");
        app::useDiskCalls({});
        ASSERT_TRUE(failure.has_value()) << fault.what;
        EXPECT_STREQ(failure->step, fault.step) << fault.what;
        EXPECT_EQ(failure->error, fault.error) << fault.what;
        EXPECT_EQ(contentsOf(path), "theme=2\ncoordsLat=12.5\n") << fault.what;
        EXPECT_EQ(entriesIn(folder.path()), 1u) << fault.what << ": the new file is removed again";
    }
    EXPECT_EQ(app::ReplaceFailure({"write", ENOSPC}).text(), "write: No space left on device");
}

TEST(FileReplacement, ALinkIsReplacedWhereItLeads) {
    const testsupport::ScratchFolder folder;
    ASSERT_TRUE(folder.made());
    fs::create_directory(folder.path() / "kept");
    writeFile(folder.path() / "kept" / "store", "old\n");
    fs::create_symlink("kept/store", folder.path() / "link");
    fs::create_symlink("kept/new", folder.path() / "to-nothing-yet");

    EXPECT_FALSE(app::replaceFileWhole(folder.path() / "link", "new\n").has_value());
    EXPECT_FALSE(app::replaceFileWhole(folder.path() / "to-nothing-yet", "made\n").has_value());
    EXPECT_TRUE(fs::is_symlink(folder.path() / "link"));
    EXPECT_EQ(contentsOf(folder.path() / "kept" / "store"), "new\n");
    EXPECT_EQ(contentsOf(folder.path() / "kept" / "new"), "made\n");
    EXPECT_EQ(fs::status(folder.path() / "kept" / "new").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(entriesIn(folder.path() / "kept"), 2u);
}

// A rename that a signal cuts short once, then goes through.
int interruptedOnce(int fromFolder, const char* from, int toFolder, const char* to) {
    static bool interrupted = false;
    if (!std::exchange(interrupted, true)) {
        errno = EINTR;
        return -1;
    }
    return ::renameat(fromFolder, from, toFolder, to);
}

TEST(FileReplacement, ARenameCutShortBySignalIsMadeAgain) {
    const testsupport::ScratchFolder folder;
    ASSERT_TRUE(folder.made());
    const fs::path path = folder.path() / "store";
    writeFile(path, "theme=2\n");
    app::useDiskCalls({::write, ::fdatasync, interruptedOnce});
    const auto failure = app::replaceFileWhole(path, "theme=1\n");
    app::useDiskCalls({});
    EXPECT_FALSE(failure.has_value()) << failure->text();
    EXPECT_EQ(contentsOf(path), "theme=1\n");
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

mode_t modeOf(const fs::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// The user may have let others read the file: a replacement keeps that, as
// it keeps a file closed to the group. Set-user-ID, set-group-ID and sticky
// bits mean nothing for such a file and do not pass on; a new file is 0600.
TEST(FileReplacement, TheFileKeepsItsPermissionBits) {
    const testsupport::ScratchFolder folder;
    ASSERT_TRUE(folder.made());
    const fs::path path = folder.path() / "store";
    const mode_t before = ::umask(077);   // what the umask takes does not matter: the old file's bits are kept
    for (const auto& [given, kept] : {std::pair<mode_t, mode_t>{0644, 0644}, {0640, 0640}, {0400, 0400},
                                      {0604, 0604}, {06755, 0755}, {01666, 0666}}) {
        writeFile(path, "old\n");
        ASSERT_EQ(::chmod(path.c_str(), given), 0);
        EXPECT_FALSE(app::replaceFileWhole(path, "new\n").has_value()) << std::oct << given;
        EXPECT_EQ(contentsOf(path), "new\n");
        EXPECT_EQ(modeOf(path), kept) << std::oct << given;
    }
    fs::remove(path);
    EXPECT_FALSE(app::replaceFileWhole(path, "made\n").has_value());
    EXPECT_EQ(modeOf(path), 0600u);
    ::umask(before);
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

struct Identity {
    ino_t inode = 0;
    nlink_t links = 0;
};

Identity identityOf(const fs::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return {};
    return {status.st_ino, status.st_nlink};
}

// A save of what the file holds already makes no new file: a second hard link
// stays one, and the save does not even need room on the disk.
TEST(FileReplacement, AFileThatHoldsTheBytesIsLeftUntouched) {
    const testsupport::ScratchFolder folder;
    ASSERT_TRUE(folder.made());
    const fs::path path = folder.path() / "store";
    const fs::path second = folder.path() / "second-link";
    writeFile(path, "theme=2\ncoordsLat=12.5\n");
    fs::create_hard_link(path, second);
    const Identity before = identityOf(path);
    ASSERT_EQ(before.links, 2u);

    app::useDiskCalls({testsupport::fullDiskWrite, ::fdatasync});
    const auto failure = app::replaceFileWhole(path, "theme=2\ncoordsLat=12.5\n");
    app::useDiskCalls({});
    EXPECT_FALSE(failure.has_value()) << failure->text();
    EXPECT_EQ(identityOf(path).inode, before.inode);
    EXPECT_EQ(identityOf(path).links, 2u);
    EXPECT_EQ(entriesIn(folder.path()), 2u);

    // Bytes that only begin as the file does, or that the file only begins
    // with, are other bytes: the file is replaced, and the link parts.
    for (const std::string& other : {std::string("theme=2\n"), std::string("theme=2\ncoordsLat=12.5\nmore\n")}) {
        const Identity was = identityOf(path);
        EXPECT_FALSE(app::replaceFileWhole(path, other).has_value());
        EXPECT_EQ(contentsOf(path), other);
        EXPECT_NE(identityOf(path).inode, was.inode);
    }
    EXPECT_EQ(identityOf(path).links, 1u);
    EXPECT_EQ(contentsOf(second), "theme=2\ncoordsLat=12.5\n");
}

// A replacement killed after its file took the permission bits of the file
// it replaces (0644 here) leaves a file with those: it goes too. One with
// other bits that let others in is no leftover of a replacement.
TEST(FileReplacement, ALeftoverWithTheReplacedFilesBitsIsRemoved) {
    const testsupport::ScratchFolder folder;
    ASSERT_TRUE(folder.made());
    const fs::path path = folder.path() / "store";
    writeFile(path, "theme=2\n");
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    const auto leftover = [&](const char* digits, mode_t mode) {
        const fs::path left = folder.path() / (std::string("store.unfinished-save-") + digits);
        writeFile(left, "theme=1\n");
        EXPECT_EQ(::chmod(left.c_str(), mode), 0);
        const timespec stamps[2] = {{std::time(nullptr) - 600, 0}, {std::time(nullptr) - 600, 0}};
        EXPECT_EQ(::utimensat(AT_FDCWD, left.c_str(), stamps, 0), 0);
        return left;
    };
    const fs::path likeTheFile = leftover("00000000000000a1", 0644);
    const fs::path usersAlone = leftover("00000000000000a2", 0600);
    const fs::path openToTheGroup = leftover("00000000000000a3", 0664);
    EXPECT_EQ(app::removeUnfinishedReplacements(path, 60), 2);
    EXPECT_FALSE(fs::exists(likeTheFile));
    EXPECT_FALSE(fs::exists(usersAlone));
    EXPECT_TRUE(fs::exists(openToTheGroup));
    EXPECT_TRUE(fs::exists(path));
}

} // namespace
