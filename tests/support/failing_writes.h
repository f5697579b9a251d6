#pragma once
// Test support: writes that fail as a disk does, to put in the place of
// write(2) where code takes its write call as a parameter (app::DiskCalls,
// platform::writeWhole).

#include <sys/types.h>

#include <cerrno>
#include <cstddef>

namespace testsupport {

// A full disk: nothing is written, ENOSPC.
inline ssize_t fullDiskWrite(int, const void*, std::size_t) {
    errno = ENOSPC;
    return -1;
}

// A failing disk: nothing is written, EIO.
inline ssize_t failingDiskWrite(int, const void*, std::size_t) {
    errno = EIO;
    return -1;
}

} // namespace testsupport
