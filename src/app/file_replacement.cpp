#include "app/file_replacement.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <random>
#include <system_error>
#include <utility>

namespace app {
namespace {

constexpr std::string_view unfinishedMark = ".unfinished-save-";
constexpr std::size_t randomDigits = 16;

DiskCalls& diskCalls() {
    static DiskCalls calls;
    return calls;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Where `path` leads through symbolic links, also to a file that does not
// exist yet; none, with errno set, for a loop of links or one too long.
std::optional<std::string> resolved(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length <= 0) return path;
        if (static_cast<std::size_t>(length) == sizeof target) {
            errno = ENAMETOOLONG;
            return std::nullopt;
        }
        const std::string next(target, static_cast<std::size_t>(length));
        path = next.front() == '/' ? next : folderOf(path) + '/' + next;
    }
    errno = ELOOP;
    return std::nullopt;
}

bool isUnfinishedName(std::string_view entry, std::string_view name) {
    if (entry.size() != name.size() + unfinishedMark.size() + randomDigits || !entry.starts_with(name) ||
        entry.substr(name.size(), unfinishedMark.size()) != unfinishedMark) {
        return false;
    }
    return std::all_of(entry.end() - randomDigits, entry.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

std::string unfinishedName(const std::string& name) {
    std::random_device device;
    const unsigned long long random = (static_cast<unsigned long long>(device()) << 32) | device();
    char digits[randomDigits + 1];
    std::snprintf(digits, sizeof digits, "%016llx", random);
    return name + std::string(unfinishedMark) + digits;
}

bool writeWhole(int fd, std::string_view bytes, ReplaceFailure& failure) {
    while (!bytes.empty()) {
        const ssize_t written = diskCalls().write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            failure = {"write", written < 0 ? errno : 0};
            return false;
        }
        bytes.remove_prefix(std::min(bytes.size(), static_cast<std::size_t>(written)));
    }
    return true;
}

// The new file, open in the folder, removed again unless it was renamed.
class NewFile {
public:
    NewFile(int folder, std::string name) : folder_(folder), name_(std::move(name)) {}
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile() {
        if (fd_ >= 0) ::close(fd_);
        // Only the file made here goes: the name must still lead to it.
        struct stat now {};
        if (made_ && !renamed_ && ::fstatat(folder_, name_.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0 &&
            now.st_dev == status_.st_dev && now.st_ino == status_.st_ino) {
            ::unlinkat(folder_, name_.c_str(), 0);
        }
    }

    bool make() {
        fd_ = ::openat(folder_, name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd_ < 0) return false;
        if (::fstat(fd_, &status_) != 0) {
            const int error = errno;
            ::unlinkat(folder_, name_.c_str(), 0);   // made by this very call, exclusively
            errno = error;
            return false;
        }
        made_ = true;
        return true;
    }
    int fd() const noexcept { return fd_; }
    const std::string& name() const noexcept { return name_; }
    bool close() {
        const int fd = std::exchange(fd_, -1);
        return ::close(fd) == 0;
    }
    void renamed() noexcept { renamed_ = true; }

private:
    int folder_;
    std::string name_;
    int fd_ = -1;
    bool made_ = false;
    bool renamed_ = false;
    struct stat status_ {};
};

class Folder {
public:
    explicit Folder(const std::string& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    ~Folder() {
        if (fd_ >= 0) ::close(fd_);
    }
    int fd() const noexcept { return fd_; }

private:
    int fd_;
};

std::optional<ReplaceFailure> replaceIn(int folder, const std::string& name, std::string_view bytes) {
    std::optional<NewFile> file;
    for (int attempt = 0; attempt < 8; ++attempt) {
        file.emplace(folder, unfinishedName(name));
        if (file->make()) break;
        if (errno != EEXIST) return ReplaceFailure{"make", errno};
        file.reset();
    }
    if (!file) return ReplaceFailure{"make", EEXIST};
    // The mode the file was made with may have lost bits to the umask; it gains none.
    if (::fchmod(file->fd(), 0600) != 0) return ReplaceFailure{"make", errno};

    ReplaceFailure failure;
    if (!writeWhole(file->fd(), bytes, failure)) return failure;
    int synced = 0;
    while ((synced = diskCalls().sync(file->fd())) != 0 && errno == EINTR) {
    }
    if (synced != 0) return ReplaceFailure{"sync", errno};
    if (!file->close()) return ReplaceFailure{"close", errno};
    if (::renameat(folder, file->name().c_str(), folder, name.c_str()) != 0) return ReplaceFailure{"rename", errno};
    file->renamed();
    return std::nullopt;
}

} // namespace

std::string ReplaceFailure::text() const {
    return std::string(step) + ": " +
           (error != 0 ? std::generic_category().message(error) : std::string("the disk took none of the rest"));
}

std::optional<ReplaceFailure> replaceFileWhole(const std::string& path, std::string_view bytes) {
    const auto target = resolved(path);
    if (!target) return ReplaceFailure{"follow link", errno};
    const Folder folder(folderOf(*target));
    if (folder.fd() < 0) return ReplaceFailure{"open folder", errno};
    return replaceIn(folder.fd(), nameOf(*target), bytes);
}

int removeUnfinishedReplacements(const std::string& path, std::time_t minimumAge) {
    const auto target = resolved(path);
    if (!target) return 0;
    const int folder = ::open(folderOf(*target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return 0;
    DIR* entries = ::fdopendir(folder);
    if (!entries) {
        ::close(folder);
        return 0;
    }
    const std::string name = nameOf(*target);
    const std::time_t staleBefore = std::time(nullptr) - minimumAge;
    int removed = 0;
    int looked = 0;
    for (const dirent* entry = ::readdir(entries); entry && looked < 4096; entry = ::readdir(entries), ++looked) {
        if (!isUnfinishedName(entry->d_name, name)) continue;
        struct stat status {};
        if (::fstatat(folder, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(status.st_mode) &&
            status.st_uid == ::getuid() && status.st_nlink == 1 && (status.st_mode & 077) == 0 &&
            status.st_mtime < staleBefore && ::unlinkat(folder, entry->d_name, 0) == 0) {
            ++removed;
        }
    }
    ::closedir(entries);
    return removed;
}

void useDiskCalls(const DiskCalls& calls) { diskCalls() = calls; }

} // namespace app
