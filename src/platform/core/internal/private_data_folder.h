#pragma once
// A folder only this process writes, from which the Swiss Ephemeris library reads
// its data files. Private to src/platform/core.
//
// The library opens its files by name, with a blocking open. In a folder others
// may write, a name checked a moment before may by then be a FIFO (the open
// waits for a writer for good), a device, or a file the check never saw. Here
// each name is one of
// - a link to a regular file this process holds open, through /proc/self/fd: the
//   library opens that very file, whatever is later renamed over its original
//   name;
// - a copy of bytes the program checked, written here.
// The folder is made by mkdtemp (mode 0700) in the first of its parents,
// XDG_RUNTIME_DIR, TMPDIR and /tmp, that no one else may rename it out of (this
// user's alone, or sticky and owned by root or this user: the owner of a sticky
// folder may rename what is in it), that takes it under a name the library
// reads as one folder, and in which it can be made with its marker; a later
// step that fails in it (a file system full for a copy) is for the caller to
// take to the next parent. It is removed with the entries this object made in
// it, and its files closed, with the object; only by the process that made it
// (a child forked meanwhile closes its copies of the files and leaves the
// folder). An entry it did not make (one already at a name it was to take) is
// never filled, replaced or removed, and the folder then stays. A system call
// that a signal cuts short (EINTR) is made again, but close.
//
// Its name carries the process's number, "vadididod-ephemeris-<pid>-XXXXXX", and
// it holds a marker (".owner") naming the boot, the machine (its machine id),
// the space of process numbers and the start time of that process: a folder left
// by a process that was killed can so be told from one of a running copy, even
// when its number has been given to another process, and from one of a process
// of another machine (a TMPDIR on a network file system).

#include "platform/core/outside_file.h"

#include <sys/types.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace swisseph {

// Why no parent took a private folder: the reason of each one tried, and
// whether any of them may pass (platform/core/internal/system_error.h).
struct FolderFailures {
    std::string reasons;   // "TMPDIR is not set; /tmp: Read-only file system (EROFS)"
    bool passing = false;

    void add(std::string_view reason);
    void add(std::string_view where, int error);
};

class PrivateDataFolder {
public:
    // XDG_RUNTIME_DIR, TMPDIR and /tmp.
    static constexpr std::size_t parentCount = 3;

    // A folder in the first of the parents from `firstParent` on that takes one;
    // null when none does, each one's reason added to `failures`.
    static std::unique_ptr<PrivateDataFolder> make(std::size_t firstParent, FolderFailures& failures);
    ~PrivateDataFolder();
    PrivateDataFolder(const PrivateDataFolder&) = delete;
    PrivateDataFolder& operator=(const PrivateDataFolder&) = delete;

    // An absolute path without ':', ';' or a line break, short enough for the
    // library's 256-byte file names.
    const std::string& path() const noexcept { return path_; }
    // Which of the parents holds it, counting from 0.
    std::size_t parent() const noexcept { return parent_; }

    // Lets the library open `file`, a regular file, as `name`; kept open for the
    // object's life. False, with errno saying why, when the link cannot be made
    // or does not lead to it (ENOENT: no /proc).
    bool link(const std::string& name, platform::OutsideFile file);

    // `bytes` as the file `name`, replacing any before it at once, so that a
    // library opening it meanwhile reads the old file or the new, whole. False,
    // with errno saying why, when it cannot be written whole.
    bool write(const std::string& name, std::string_view bytes);

    // Removes the entry `name` where this object made it; else nothing.
    void remove(const std::string& name);

    // Removes from every parent the folders that processes of this user which no
    // longer run left behind: named as above, owned by this user, of mode 0700,
    // with a marker naming a process of this machine that has ended, and holding
    // nothing but `names` (the entries their maker may put there), a ".partial"
    // beside each and the marker. Anything else is left as it is; no link is
    // followed. Removes nothing where /proc does not show the process numbers
    // this process sees (a PID namespace made without a /proc of its own), or
    // where the machine id cannot be read. Reads at most the first 4096 entries
    // of each parent and of each folder at most one entry more than it may hold.
    static void removeLeftovers(const std::vector<std::string>& names);

private:
    PrivateDataFolder(std::string path, std::size_t parent);
    std::string entry(const std::string& name) const { return path_ + '/' + name; }
    void unlinkEntry(const std::string& name) const;

    std::string path_;
    std::size_t parent_;
    pid_t maker_;                                  // the process that made it, which alone removes it
    std::vector<std::string> names_;               // every entry made, to remove at the end
    std::vector<platform::OutsideFile> held_;      // the files the links lead to
};

} // namespace swisseph
