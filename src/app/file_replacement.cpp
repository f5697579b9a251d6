#include "app/file_replacement.h"

#include "platform/core/outside_file.h"
#include "platform/core/system_calls.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdio>
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
    unsigned long long random = 0;
    if (::getrandom(&random, sizeof random, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof random)) {
        // No randomness at hand: the clock and a count differ from try to
        // try, and the file is made exclusively, so a clash only costs a try.
        static std::atomic<unsigned long long> tries{0};
        random = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                 (++tries << 48) ^ static_cast<unsigned long long>(::getpid());
    }
    char digits[randomDigits + 1];
    std::snprintf(digits, sizeof digits, "%016llx", random);
    return name + std::string(unfinishedMark) + digits;
}

// The new file, open in the folder: unnamed while it is written and synced
// where the file system can make such a file (O_TMPFILE), so that a
// replacement killed meanwhile leaves nothing; named from the start where it
// cannot. Once named, it is removed again unless it was renamed.
class NewFile {
public:
    explicit NewFile(int folder) : folder_(folder) {}
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile() {
        if (fd_ >= 0) ::close(fd_);
        // Only the file made here goes: the name must still lead to it.
        struct stat now {};
        if (!name_.empty() && !renamed_ && ::fstatat(folder_, name_.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0 &&
            now.st_dev == status_.st_dev && now.st_ino == status_.st_ino) {
            ::unlinkat(folder_, name_.c_str(), 0);
        }
    }

    // False, with errno set, when no file could be made; EOPNOTSUPP when the
    // file system makes no unnamed files.
    bool make(const std::string& base, bool unnamed) {
        if (unnamed) {
            fd_ = platform::retryInterrupted(
                [&] { return ::openat(folder_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600); });
            // Kernels and file systems without unnamed files say so in one of these.
            if (fd_ < 0 && (errno == EISDIR || errno == EINVAL || errno == ENOENT)) errno = EOPNOTSUPP;
        } else {
            name(base, [&](const std::string& candidate) {
                fd_ = platform::retryInterrupted([&] {
                    return ::openat(folder_, candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                    0600);
                });
                return fd_ >= 0;
            });
        }
        if (fd_ < 0) return false;
        if (::fstat(fd_, &status_) == 0) return true;
        const int error = errno;
        if (!name_.empty()) ::unlinkat(folder_, name_.c_str(), 0);   // made just now, exclusively
        name_.clear();
        errno = error;
        return false;
    }
    // Links an unnamed file in beside `base`; false, with errno set, when it
    // cannot (ENOENT: no /proc to reach it through).
    bool link(const std::string& base) {
        if (!name_.empty()) return true;
        const std::string opened = "/proc/self/fd/" + std::to_string(fd_);
        return name(base, [&](const std::string& candidate) {
            return platform::retryInterrupted([&] {
                       return ::linkat(AT_FDCWD, opened.c_str(), folder_, candidate.c_str(), AT_SYMLINK_FOLLOW);
                   }) == 0;
        });
    }
    int fd() const noexcept { return fd_; }
    const std::string& name() const noexcept { return name_; }
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }
    void renamed() noexcept { renamed_ = true; }

private:
    // Tries names until `take` takes one that no file has yet.
    template <class Take>
    bool name(const std::string& base, Take take) {
        for (int attempt = 0; attempt < 8; ++attempt) {
            const std::string candidate = unfinishedName(base);
            if (take(candidate)) {
                name_ = candidate;
                return true;
            }
            if (errno != EEXIST) return false;
        }
        return false;
    }

    int folder_;
    std::string name_;
    int fd_ = -1;
    bool renamed_ = false;
    struct stat status_ {};
};

class Folder {
public:
    explicit Folder(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    ~Folder() {
        if (fd_ >= 0) ::close(fd_);
    }
    int fd() const noexcept { return fd_; }

private:
    int fd_;
};

std::optional<ReplaceFailure> replaceIn(int folder, const std::string& name, std::string_view bytes, mode_t mode,
                                        bool unnamed) {
    NewFile file(folder);
    if (!file.make(name, unnamed)) {
        if (unnamed && errno == EOPNOTSUPP) return replaceIn(folder, name, bytes, mode, false);
        return ReplaceFailure{"make", errno};
    }
    // The mode the file was made with may have lost bits to the umask; it gains none.
    if (platform::retryInterrupted([&] { return ::fchmod(file.fd(), 0600); }) != 0) {
        return ReplaceFailure{"make", errno};
    }

    if (const int error = platform::writeWhole(file.fd(), bytes, diskCalls().write)) {
        return ReplaceFailure{"write", error};
    }
    if (platform::retryInterrupted([&] { return diskCalls().sync(file.fd()); }) != 0) {
        return ReplaceFailure{"sync", errno};
    }
    // The old file's permissions only now: until the file is whole it stays
    // the user's alone, as what a replacement killed midway leaves must be to
    // be removed (removeUnfinishedReplacements).
    if (mode != 0600 && platform::retryInterrupted([&] { return ::fchmod(file.fd(), mode); }) != 0) {
        return ReplaceFailure{"keep mode", errno};
    }
    if (!file.link(name)) {
        if (errno == ENOENT) return replaceIn(folder, name, bytes, mode, false);
        return ReplaceFailure{"link", errno};
    }
    if (!file.close()) return ReplaceFailure{"close", errno};
    const char* const from = file.name().c_str();
    if (platform::retryInterrupted([&] { return diskCalls().rename(folder, from, folder, name.c_str()); }) != 0) {
        return ReplaceFailure{"rename", errno};
    }
    file.renamed();
    return std::nullopt;
}

// The file a replacement would take the place of, as it stands.
struct Present {
    mode_t mode = 0600;        // its permission bits; 0600 for a new file
    bool holdsBytes = false;   // it holds the very bytes to write
};

// Only a regular file counts, and of it only its permission bits: set-user-ID,
// set-group-ID and sticky bits are no preference of the user's for such a
// file. Its bytes are read only when it is as long as `bytes`, and never more
// of them than that.
Present presentFile(int folder, const std::string& path, const std::string& name, std::string_view bytes) {
    Present present;
    struct stat status {};
    if (::fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(status.st_mode)) return present;
    present.mode = status.st_mode & 0777;
    if (static_cast<std::uint64_t>(status.st_size) == bytes.size()) {
        const auto held = platform::readOutsideFile(path, bytes.size());
        present.holdsBytes = held && *held == bytes;
    }
    return present;
}

} // namespace

std::string ReplaceFailure::text() const {
    return std::string(step) + ": " + std::generic_category().message(error);
}

std::optional<ReplaceFailure> replaceFileWhole(const std::string& path, std::string_view bytes) {
    const auto target = resolved(path);
    if (!target) return ReplaceFailure{"follow link", errno};
    const Folder folder(folderOf(*target));
    if (folder.fd() < 0) return ReplaceFailure{"open folder", errno};
    const std::string name = nameOf(*target);
    const Present present = presentFile(folder.fd(), *target, name, bytes);
    if (present.holdsBytes) return std::nullopt;   // a new file would change nothing but its inode and links
    return replaceIn(folder.fd(), name, bytes, present.mode, true);
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
    // A replacement gives its file the permission bits of the file it replaces
    // just before the rename; killed then, it leaves a file with those.
    struct stat replaced {};
    const mode_t givenMode = ::fstatat(folder, name.c_str(), &replaced, AT_SYMLINK_NOFOLLOW) == 0 &&
                                     S_ISREG(replaced.st_mode)
                                 ? replaced.st_mode & 0777
                                 : 0600;
    const std::time_t staleBefore = std::time(nullptr) - minimumAge;
    int removed = 0;
    int looked = 0;
    for (const dirent* entry = ::readdir(entries); entry && looked < 4096; entry = ::readdir(entries), ++looked) {
        if (!isUnfinishedName(entry->d_name, name)) continue;
        struct stat status {};
        if (::fstatat(folder, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(status.st_mode) &&
            status.st_uid == ::getuid() && status.st_nlink == 1 &&
            ((status.st_mode & 077) == 0 || (status.st_mode & 0777) == givenMode) &&
            status.st_mtime < staleBefore && ::unlinkat(folder, entry->d_name, 0) == 0) {
            ++removed;
        }
    }
    ::closedir(entries);
    return removed;
}

void useDiskCalls(const DiskCalls& calls) { diskCalls() = calls; }

} // namespace app
