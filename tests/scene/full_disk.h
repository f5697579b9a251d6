#pragma once
// Test support: a full disk of the test's own. In a child process (child_process.h),
// the process takes a mount namespace of its own, mounts a small tmpfs over a
// folder there, and fills it up; nothing outside the process sees either.

#include <cerrno>
#include <fcntl.h>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <unistd.h>

namespace testsupport {

// Mounts a tmpfs of `size` ("64k") over `folder`, in a mount namespace of the
// calling process's own; false where that needs more than the process has
// (it needs root).
inline bool mountPrivateTmpfs(const std::string& folder, const char* size) {
    const std::string options = std::string("size=") + size + ",mode=0700";
    return ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

// Writes `text` as the whole of the file at `path`, made 0600.
inline bool writeWholeFile(const std::string& path, const std::string& text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    return ::close(fd) == 0 && written;
}

// The file's bytes; empty when it cannot be read.
inline std::string contentsOf(const std::string& path) {
    std::string text;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    char buffer[4096];
    for (ssize_t n = 0; fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    if (fd >= 0) ::close(fd);
    return text;
}

// Fills the file system of `filler` (a new file) until it takes no more.
inline bool fillUp(const std::string& filler) {
    const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    const std::string block(4096, 'x');
    while (fd >= 0 && ::write(fd, block.data(), block.size()) > 0) {
    }
    const bool full = fd >= 0 && errno == ENOSPC;
    if (fd >= 0) ::close(fd);
    return full;
}

} // namespace testsupport
