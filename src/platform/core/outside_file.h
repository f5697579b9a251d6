#pragma once
// The whole of a small file that comes from outside the program (a zone file,
// the star catalogue, the settings store), read trusting nothing about what is
// at its path:
// - it is opened without blocking, so a FIFO there never waits for a writer nor
//   a device for its line; close-on-exec, so no child inherits it; and never as
//   the process's controlling terminal;
// - only a regular file is read: a FIFO, folder or device is refused once open;
// - at most a caller-given number of bytes: a file whose size is larger is
//   refused before anything is read, and the buffer never grows past the cap
//   and one byte, whatever size the file claims;
// - it is read to its end, not to the size it had when opened: a file that
//   grows while it is read is taken whole as long as it stays within the cap
//   (a caller that must know whether the file changed compares its status
//   before and after), and refused as too large once it passes it;
// - the descriptor is closed on every way out.

#include "platform/core/expected.h"

#include <sys/stat.h>

#include <cstddef>
#include <string>

namespace platform {

struct OutsideFileError {
    enum class Kind {
        cannotOpen,       // open(2) failed: systemError says why (ENOENT for no file)
        cannotRead,       // fstat(2) or read(2) failed
        notRegularFile,
        tooLarge,         // over the cap, by its size or by what was read
    };
    Kind kind;
    int systemError = 0;   // errno of the failed call; 0 for the last two kinds
};

// An opened file, closed with the object.
class OutsideFile {
public:
    // Opens `path` as above and takes its status.
    static Expected<OutsideFile, OutsideFileError> open(const std::string& path);

    OutsideFile(OutsideFile&& other) noexcept;
    OutsideFile& operator=(OutsideFile&& other) noexcept;
    ~OutsideFile();

    int descriptor() const noexcept { return fd_; }
    // As fstat(2) gave it when opened, before anything was read.
    const struct stat& status() const noexcept { return status_; }

    // The whole of the file, of at most `maximumBytes` (well under SIZE_MAX)
    // bytes; read once, from where the descriptor stands.
    Expected<std::string, OutsideFileError> readAll(std::size_t maximumBytes);

private:
    OutsideFile(int fd, const struct stat& status) noexcept : fd_(fd), status_(status) {}
    int fd_ = -1;
    struct stat status_ {};
};

// Opens and reads in one step, for a caller that needs only the bytes.
Expected<std::string, OutsideFileError> readOutsideFile(const std::string& path, std::size_t maximumBytes);

} // namespace platform
