#include "platform/core/internal/file_version.h"

#include "platform/core/outside_file.h"

#include <utility>

namespace platform {

FileVersion::FileVersion(std::string name, const struct stat& status)
    : path(std::move(name)), device(status.st_dev), inode(status.st_ino), size(status.st_size),
      modified(status.st_mtim), changed(status.st_ctim) {}

bool FileVersion::operator==(const FileVersion& other) const noexcept {
    const auto same = [](const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; };
    return path == other.path && device == other.device && inode == other.inode && size == other.size &&
           same(modified, other.modified) && same(changed, other.changed);
}

std::optional<VersionedContents> readVersioned(const std::string& path, std::size_t maximumBytes) {
    auto file = OutsideFile::open(path);
    if (!file) return std::nullopt;
    FileVersion version(path, file->status());
    auto bytes = file->readAll(maximumBytes);
    if (!bytes) return std::nullopt;
    return VersionedContents{std::move(version), *std::move(bytes)};
}

} // namespace platform
