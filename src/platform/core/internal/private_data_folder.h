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
// The folder is made by mkdtemp (mode 0700) in the first of XDG_RUNTIME_DIR,
// TMPDIR and /tmp that no one else may rename it out of (this user's alone, or
// sticky) and that takes it under a name the library reads as one folder. It is
// removed with everything in it, and its files closed, with the object.

#include "platform/core/outside_file.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace swisseph {

class PrivateDataFolder {
public:
    // Null when no such folder could be made.
    static std::unique_ptr<PrivateDataFolder> make();
    ~PrivateDataFolder();
    PrivateDataFolder(const PrivateDataFolder&) = delete;
    PrivateDataFolder& operator=(const PrivateDataFolder&) = delete;

    // An absolute path without ':', ';' or a line break, short enough for the
    // library's 256-byte file names.
    const std::string& path() const noexcept { return path_; }

    // Lets the library open `file`, a regular file, as `name`; kept open for the
    // object's life. False when the link does not lead to it (no /proc).
    bool link(const std::string& name, platform::OutsideFile file);

    // `bytes` as the file `name`, replacing any before it at once, so that a
    // library opening it meanwhile reads the old file or the new, whole.
    bool write(const std::string& name, std::string_view bytes);

    void remove(const std::string& name);

private:
    explicit PrivateDataFolder(std::string path) : path_(std::move(path)) {}
    std::string entry(const std::string& name) const { return path_ + '/' + name; }

    std::string path_;
    std::vector<std::string> names_;               // every entry made, to remove at the end
    std::vector<platform::OutsideFile> held_;      // the files the links lead to
};

} // namespace swisseph
