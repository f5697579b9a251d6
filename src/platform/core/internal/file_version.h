#pragma once
// One version of a file, as its status tells it: replaced, rewritten or
// touched, it is another. Private to src/platform/core.

#include <sys/stat.h>

#include <cstddef>
#include <optional>
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

// The contents of a file with the version they were read from, taken before
// they were read: a file changed while it is read shows as another version at
// the next look.
struct VersionedContents {
    FileVersion version;
    std::string bytes;
};

// The regular file at `path`, of at most `maximumBytes` bytes, read as
// outside_file.h reads one (never blocking); std::nullopt for anything else.
std::optional<VersionedContents> readVersioned(const std::string& path, std::size_t maximumBytes);

} // namespace platform
