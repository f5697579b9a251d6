// Replacing a file whole: a write, sync or rename that fails, or writes that
// stop short, leave the file as it was and nothing beside it; a link is
// replaced where it leads and stays a link.

#include "app/file_replacement.h"

#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

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

ssize_t fullDisk(int, const void*, std::size_t) {
    errno = ENOSPC;
    return -1;
}
ssize_t failingDisk(int, const void*, std::size_t) {
    errno = EIO;
    return -1;
}
// Takes the first eight bytes, then is full.
ssize_t fillsUp(int fd, const void* bytes, std::size_t count) {
    if (::lseek(fd, 0, SEEK_CUR) > 0) return fullDisk(fd, bytes, count);
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
        {"full disk", {fullDisk, ::fdatasync}, "write", ENOSPC},
        {"failing disk", {failingDisk, ::fdatasync}, "write", EIO},
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

} // namespace
