#pragma once
// One version of a file, as its status tells it: replaced, rewritten or
// touched, it is another. Private to src/platform/core.

#include <sys/stat.h>

#include <string>

namespace platform {

struct FileVersion {
    std::string path;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    FileVersion(std::string name, const struct stat& status);
    bool operator==(const FileVersion& other) const noexcept;
};

} // namespace platform
