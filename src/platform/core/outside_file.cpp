#include "platform/core/outside_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <utility>

namespace platform {

Expected<OutsideFile, OutsideFileError> OutsideFile::open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return OutsideFileError{OutsideFileError::Kind::cannotOpen, errno};
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        const int error = errno;
        ::close(fd);
        return OutsideFileError{OutsideFileError::Kind::cannotRead, error};
    }
    return OutsideFile(fd, status);
}

OutsideFile::OutsideFile(OutsideFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), status_(other.status_) {}

OutsideFile& OutsideFile::operator=(OutsideFile&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        status_ = other.status_;
    }
    return *this;
}

OutsideFile::~OutsideFile() {
    if (fd_ >= 0) ::close(fd_);
}

Expected<std::string, OutsideFileError> OutsideFile::readAll(std::size_t maximumBytes) {
    if (!S_ISREG(status_.st_mode)) return OutsideFileError{OutsideFileError::Kind::notRegularFile};
    if (status_.st_size < 0 || static_cast<std::uint64_t>(status_.st_size) > maximumBytes)
        return OutsideFileError{OutsideFileError::Kind::tooLarge};

    // Sized by the file's own size and one byte more, which tells its end when it
    // did not grow; grown only as bytes arrive, and never past the cap and one.
    const std::size_t limit = maximumBytes + 1;
    std::string text(static_cast<std::size_t>(status_.st_size) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == text.size()) {
            if (text.size() == limit) break;
            text.resize(std::min(limit, std::max(text.size() * 2, std::size_t{4096})));
        }
        const ssize_t got = ::read(fd_, text.data() + filled, text.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return OutsideFileError{OutsideFileError::Kind::cannotRead, errno};
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    if (filled > maximumBytes) return OutsideFileError{OutsideFileError::Kind::tooLarge};
    text.resize(filled);
    return text;
}

Expected<std::string, OutsideFileError> readOutsideFile(const std::string& path, std::size_t maximumBytes) {
    auto file = OutsideFile::open(path);
    if (!file) return file.error();
    return file->readAll(maximumBytes);
}

} // namespace platform
