#include "platform/core/internal/private_data_folder.h"

#include "platform/core/internal/ephemeris_folder_list.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace swisseph {
namespace {

// Room left in the library's 256-byte file names for '/' and the longest name
// it opens ("swe_deltat.txt"), with a margin.
constexpr std::size_t longestFolder = 200;

bool readAsOneFolder(std::string_view folder) {
    return !folder.empty() && folder.front() == '/' && folder.size() <= longestFolder &&
           folder.find_first_of(folder_list::separators) == std::string_view::npos &&
           folder.find_first_of("\n\r") == std::string_view::npos;
}

// A folder in which no one else can rename the private folder away and put
// another in its place: this user's alone, or one with the sticky bit (/tmp).
bool keepsItsEntries(const char* parent) {
    struct stat status {};
    if (::stat(parent, &status) != 0 || !S_ISDIR(status.st_mode)) return false;
    return (status.st_mode & S_ISVTX) != 0 ||
           (status.st_uid == ::geteuid() && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0);
}

bool writeWhole(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

std::unique_ptr<PrivateDataFolder> PrivateDataFolder::make() {
    const char* const parents[] = {std::getenv("XDG_RUNTIME_DIR"), std::getenv("TMPDIR"), "/tmp"};
    for (const char* parent : parents) {
        if (parent == nullptr || !keepsItsEntries(parent)) continue;
        std::string name = std::string(parent) + "/vadididod-ephemeris-XXXXXX";
        if (!readAsOneFolder(name) || ::mkdtemp(name.data()) == nullptr) continue;
        return std::unique_ptr<PrivateDataFolder>(new PrivateDataFolder(std::move(name)));
    }
    return nullptr;
}

PrivateDataFolder::~PrivateDataFolder() {
    for (const auto& name : names_) ::unlink(entry(name).c_str());
    ::rmdir(path_.c_str());
    // Only now are the files closed: no name leads to their numbers any more,
    // which the process may give to other files.
    held_.clear();
}

bool PrivateDataFolder::link(const std::string& name, platform::OutsideFile file) {
    const std::string target = "/proc/self/fd/" + std::to_string(file.descriptor());
    const std::string path = entry(name);
    names_.push_back(name);
    if (::symlink(target.c_str(), path.c_str()) != 0) return false;
    const struct stat held = file.status();
    held_.push_back(std::move(file));
    struct stat reached {};
    return ::stat(path.c_str(), &reached) == 0 && reached.st_dev == held.st_dev && reached.st_ino == held.st_ino;
}

bool PrivateDataFolder::write(const std::string& name, std::string_view bytes) {
    const std::string path = entry(name);
    const std::string partial = path + ".partial";
    if (std::find(names_.begin(), names_.end(), name) == names_.end()) names_.push_back(name);
    const int fd = ::open(partial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return false;
    const bool written = writeWhole(fd, bytes);
    const bool closed = ::close(fd) == 0;
    if (written && closed && ::rename(partial.c_str(), path.c_str()) == 0) return true;
    ::unlink(partial.c_str());
    return false;
}

void PrivateDataFolder::remove(const std::string& name) { ::unlink(entry(name).c_str()); }

} // namespace swisseph
