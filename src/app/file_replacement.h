#pragma once
// Replacing a small file whole, so that the file on disk is at every moment
// either as it was or the new one in full. The new bytes go to a file of their
// own beside it (made 0600), are synced to the disk, and that file is then
// given the old file's permission bits (rwx for user, group and others; a new
// file stays 0600), named as no person would name a file (the file's name,
// ".unfinished-save-" and 16 hexadecimal digits) and renamed over the old one.
// Where the file system can keep a file without a name until then (O_TMPFILE),
// a replacement killed before it is whole leaves nothing; elsewhere the file
// has that name from the start.
//
// A file that already holds exactly the bytes to write is left as it is: no
// new file, so its inode, its links and its times stay. Only a regular file
// of just that length is read for this, and no more of it than that.
//
// A system call that a signal cuts short (EINTR) is made again, but close.
//
// Every step is checked: a write that fails (a full disk, ENOSPC; a failing
// one, EIO), writes that stop short of the whole, a failed sync, link, close
// or rename each stop the replacement, so the old file stays as it was, and
// the new file is removed again. A file that is a symbolic link is replaced
// where the link leads (as Qt's QSaveFile does), so the link stays a link.
//
// A replacement killed midway can leave its new file behind under that name;
// removeUnfinishedReplacements removes those and nothing else.

#include <sys/types.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace app {

// What stopped a replacement: the step ("make", "write", "sync", "keep mode",
// "link", "close", "rename", ...) and the system's error number (EIO for a write that
// took nothing without saying why).
struct ReplaceFailure {
    const char* step = "";
    int error = 0;

    // "write: No space left on device".
    std::string text() const;
};

// Replaces the file at `path` (or where it leads) with `bytes`, with the old
// file's permission bits (0600 for a new file). None when it is done or the
// file holds those bytes already; else what failed, the file as it was.
std::optional<ReplaceFailure> replaceFileWhole(const std::string& path, std::string_view bytes);

// Removes what replacements of `path` killed midway left beside it (or beside
// where it leads): regular files under the name above, of this user's, with no
// permission for anyone else (or with the permission bits of the file at
// `path`, which a replacement gives its file last) and no second link, unchanged for `minimumAge`
// seconds or more; a replacement in flight is younger. Looks at no more than
// the folder's first 4096 entries. Gives how many it removed.
int removeUnfinishedReplacements(const std::string& path, std::time_t minimumAge);

// The calls that put a replacement's bytes on the disk and its file in place.
// Tests put their own in place to fail as a full disk, a failing disk or a
// write cut short would, or to stop midway; the program keeps these.
struct DiskCalls {
    ssize_t (*write)(int fd, const void* bytes, std::size_t count) = ::write;
    int (*sync)(int fd) = ::fdatasync;
    int (*rename)(int fromFolder, const char* from, int toFolder, const char* to) = ::renameat;
};

// The calls every replacement makes from then on (set while no replacement runs).
void useDiskCalls(const DiskCalls& calls);

} // namespace app
