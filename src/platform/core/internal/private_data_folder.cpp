#include "platform/core/internal/private_data_folder.h"

#include "platform/core/internal/ephemeris_folder_list.h"
#include "platform/core/internal/system_error.h"
#include "platform/core/system_calls.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace swisseph {
namespace {

// Room left in the library's 256-byte file names for '/' and the longest name
// it opens ("swe_deltat.txt"), with a margin.
constexpr std::size_t longestFolder = 200;
constexpr std::string_view namePrefix = "vadididod-ephemeris-";
// The process number after it has at most the 10 digits of the largest pid_t,
// 2147483647; then a dash and mkdtemp's six letters and digits.
constexpr std::size_t longestProcessNumber = 10;
constexpr std::string_view uniqueLetters = "XXXXXX";
const std::string marker = ".owner";
constexpr std::string_view partialSuffix = ".partial";
constexpr std::size_t longestParentListing = 4096;

struct Parent {
    const char* variable;   // the environment variable that names it; none for /tmp
    const char* path;       // null when the variable is not set
};

std::array<Parent, PrivateDataFolder::parentCount> parents() {
    return {{{"XDG_RUNTIME_DIR", std::getenv("XDG_RUNTIME_DIR")}, {"TMPDIR", std::getenv("TMPDIR")}, {nullptr, "/tmp"}}};
}

std::string nameOf(const Parent& parent) {
    return parent.variable != nullptr ? std::string(parent.path) + " (" + parent.variable + ")" : parent.path;
}

bool readAsOneFolder(std::string_view folder) {
    return !folder.empty() && folder.front() == '/' && folder.size() <= longestFolder &&
           folder.find_first_of(folder_list::separators) == std::string_view::npos &&
           folder.find_first_of("\n\r") == std::string_view::npos;
}

// A folder in which no one else can rename the private folder away and put
// another in its place: this user's alone, or one with the sticky bit (/tmp)
// that root or this user owns. The owner of a sticky folder may still rename
// every entry in it: in another user's, a planted delta T table was read.
bool keepsItsEntries(const Parent& parent, FolderFailures& failures) {
    struct stat status {};
    if (platform::retryInterrupted([&] { return ::stat(parent.path, &status); }) != 0) {
        failures.add(nameOf(parent), errno);
        return false;
    }
    if (!S_ISDIR(status.st_mode)) {
        failures.add(nameOf(parent) + ": not a folder");
        return false;
    }
    const bool trustedOwner = status.st_uid == ::geteuid() || status.st_uid == 0;
    if ((status.st_mode & S_ISVTX) != 0 && trustedOwner) return true;
    if (status.st_uid == ::geteuid() && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0) return true;
    failures.add(nameOf(parent) + ((status.st_mode & S_ISVTX) != 0
                                       ? ": another user owns it and may rename what is in it"
                                       : ": others may write in it"));
    return false;
}

// When a process started, in clock ticks after boot: the 22nd field of
// /proc/<process>/stat. Else the errno of the failed read (ENOENT: no such
// process), or EIO for a text not read as expected.
platform::Expected<std::string, int> startTimeOf(const std::string& process) {
    const auto text = platform::readOutsideFile("/proc/" + process + "/stat", 4096);
    if (!text) return text.error().systemError != 0 ? text.error().systemError : EIO;
    // The second field, the command in parentheses, may hold anything; the
    // third and the rest follow its last ')'.
    std::size_t at = text->rfind(')');
    if (at == std::string::npos) return EIO;
    for (int field = 3;; ++field) {
        at = text->find_first_not_of(' ', at + 1);
        if (at == std::string::npos) return EIO;
        const std::size_t end = std::min(text->find(' ', at), text->size());
        if (field == 22) return text->substr(at, end - at);
        at = end;
    }
}

// The kernel's boot, read once it can be.
std::string bootId() {
    static std::mutex mutex;
    static std::string known;
    const std::lock_guard lock(mutex);
    if (known.empty()) {
        if (auto text = platform::readOutsideFile("/proc/sys/kernel/random/boot_id", 64)) {
            text->erase(std::remove(text->begin(), text->end(), '\n'), text->end());
            known = *std::move(text);
        }
    }
    return known;
}

// The machine, from systemd's or D-Bus's machine id: 32 hexadecimal digits, the
// same for every boot. Empty while neither can be read. A parent on a network
// file system may hold folders of processes of other machines, whose numbers
// name nothing here.
std::string machineId() {
    static std::mutex mutex;
    static std::string known;
    const std::lock_guard lock(mutex);
    for (const char* path : {"/etc/machine-id", "/var/lib/dbus/machine-id"}) {
        if (!known.empty()) break;
        auto text = platform::readOutsideFile(path, 64);
        if (!text) continue;
        if (text->ends_with('\n')) text->pop_back();
        const auto hexadecimal = [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); };
        if (text->size() == 32 && std::all_of(text->begin(), text->end(), hexadecimal)) known = *std::move(text);
    }
    return known;
}

// Whether /proc shows the processes by the numbers this process sees: not so
// in a PID namespace made without mounting a /proc of its own, where
// /proc/<number> is another process and /proc/self its number outside.
bool procShowsOwnProcessNumbers() {
    char link[32];
    const ssize_t length = ::readlink("/proc/self", link, sizeof link);
    return length > 0 && static_cast<std::size_t>(length) < sizeof link &&
           std::string_view(link, static_cast<std::size_t>(length)) == std::to_string(::getpid());
}

// The process numbers this process sees, "pid:[4026531836]": a number names
// another process in another such space.
std::string pidNamespace() {
    char link[64];
    const ssize_t length = ::readlink("/proc/self/ns/pid", link, sizeof link);
    return length > 0 && static_cast<std::size_t>(length) < sizeof link
               ? std::string(link, static_cast<std::size_t>(length))
               : std::string();
}

// What the marker says of this process: its boot, machine, the space of its
// process number and its start time; "unknown" while they cannot be read (no
// /proc), which leaves its folder to be kept by every later run. Earlier
// versions wrote the boot, the space and the start time; they take a marker
// whose second word is not their space for one of a process they cannot
// judge, and so keep this one's folder while it runs, as this one keeps theirs.
std::string ownIdentity() {
    static std::mutex mutex;
    static std::string known;
    static pid_t knownFor = 0;   // a child forked since is another process
    const std::lock_guard lock(mutex);
    if (knownFor != ::getpid()) {
        known.clear();
        knownFor = ::getpid();
    }
    if (known.empty()) {
        const std::string machine = machineId();
        const std::string boot = bootId();
        const std::string space = pidNamespace();
        const auto start = startTimeOf("self");
        if (!machine.empty() && !boot.empty() && !space.empty() && start)
            known = boot + ' ' + machine + ' ' + space + ' ' + *start;
    }
    return known.empty() ? std::string("unknown") : known;
}

// The process number a folder of this name belongs to; empty for a name the
// program does not give its folders.
std::string processOf(std::string_view name) {
    if (!name.starts_with(namePrefix)) return {};
    name.remove_prefix(namePrefix.size());
    const std::size_t dash = name.find('-');
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    const auto letterOrDigit = [&](char c) { return digit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (dash == std::string_view::npos || dash == 0 || dash > longestProcessNumber || name.front() == '0' ||
        name.size() != dash + 1 + uniqueLetters.size() ||
        !std::all_of(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(dash), digit) ||
        !std::all_of(name.begin() + static_cast<std::ptrdiff_t>(dash) + 1, name.end(), letterOrDigit))
        return {};
    return std::string(name.substr(0, dash));
}

class Descriptor {
public:
    explicit Descriptor(int fd) noexcept : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const noexcept { return fd_; }

private:
    int fd_;
};

// Whether the marker of the folder open as `folder` names a process of this
// machine that has ended: of another boot, or `process` is gone or is another
// process that started later under its number. False when that cannot be told:
// a process of another machine or one that saw other process numbers, or a
// marker of another form (earlier versions wrote none with the machine, which
// proves no machine: their folders are kept).
bool madeByEndedProcess(int folder, const std::string& process) {
    const Descriptor file(platform::retryInterrupted(
        [&] { return ::openat(folder, marker.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC); }));
    struct stat status {};
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_uid != ::geteuid())
        return false;
    char text[160];
    const ssize_t length = platform::retryInterrupted([&] { return ::read(file.get(), text, sizeof text); });
    if (length <= 0 || static_cast<std::size_t>(length) == sizeof text) return false;
    std::string_view identity(text, static_cast<std::size_t>(length));
    if (!identity.ends_with('\n')) return false;
    identity.remove_suffix(1);
    // Boot, machine, space of process numbers, start time.
    std::array<std::string_view, 4> fields;
    for (std::size_t index = 0; index < fields.size(); ++index) {
        const std::size_t end = index + 1 < fields.size() ? identity.find(' ') : identity.size();
        if (end == std::string_view::npos) return false;
        fields[index] = identity.substr(0, end);
        identity.remove_prefix(std::min(identity.size(), end + 1));
    }
    if (fields[3].find(' ') != std::string_view::npos) return false;
    const std::string machine = machineId();
    const std::string boot = bootId();
    if (machine.empty() || fields[1] != machine || boot.empty()) return false;
    if (fields[0] != boot) return true;
    if (fields[2] != pidNamespace()) return false;
    const auto start = startTimeOf(process);
    if (!start) return start.error() == ENOENT || start.error() == ESRCH;
    return *start != fields[3];
}

// The entries of the folder open as `folder` when it holds only what its
// maker may put there (`names`, sorted, a ".partial" beside each, the marker),
// each a link or a regular file; none otherwise.
std::optional<std::vector<std::string>> ownEntries(int folder, const std::vector<std::string>& names) {
    const int listed = ::dup(folder);
    DIR* listing = listed >= 0 ? ::fdopendir(listed) : nullptr;
    if (listing == nullptr) {
        if (listed >= 0) ::close(listed);
        return std::nullopt;
    }
    const auto known = [&](std::string_view name) {
        if (name == marker) return true;
        if (name.ends_with(partialSuffix)) name.remove_suffix(partialSuffix.size());
        return std::binary_search(names.begin(), names.end(), name);
    };
    std::vector<std::string> entries;
    bool own = true;
    for (const dirent* entry; own && (entry = ::readdir(listing)) != nullptr;) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..") continue;
        struct stat status {};
        own = entries.size() <= 2 * names.size() && known(name) &&
              ::fstatat(folder, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
              (S_ISLNK(status.st_mode) || S_ISREG(status.st_mode));
        entries.emplace_back(name);
    }
    ::closedir(listing);
    if (!own) return std::nullopt;
    return entries;
}

// Removes the folder `name` of the parent open as `parent` when it is a
// leftover, as the header has it.
void removeIfLeftover(int parent, const char* name, const std::string& process,
                      const std::vector<std::string>& names) {
    struct stat status {};
    if (::fstatat(parent, name, &status, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != ::geteuid() || (status.st_mode & 07777) != 0700)
        return;
    const Descriptor folder(platform::retryInterrupted(
        [&] { return ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC); }));
    struct stat opened {};
    if (folder.get() < 0 || ::fstat(folder.get(), &opened) != 0 || opened.st_dev != status.st_dev ||
        opened.st_ino != status.st_ino || !madeByEndedProcess(folder.get(), process))
        return;
    const auto entries = ownEntries(folder.get(), names);
    if (!entries) return;
    // The marker last: a folder left midway is still known as one of ours.
    const auto removed = [](int in, const char* entry, int flags) {
        return platform::retryInterrupted([&] { return ::unlinkat(in, entry, flags); }) == 0;
    };
    for (const auto& entry : *entries)
        if (entry != marker && !removed(folder.get(), entry.c_str(), 0)) return;
    if (removed(folder.get(), marker.c_str(), 0)) removed(parent, name, AT_REMOVEDIR);
}

} // namespace

void FolderFailures::add(std::string_view reason) {
    if (!reasons.empty()) reasons += "; ";
    reasons += reason;
}

void FolderFailures::add(std::string_view where, int error) {
    add(std::string(where) + ": " + platform::system_error::describe(error));
    passing = passing || platform::system_error::passes(error);
}

PrivateDataFolder::PrivateDataFolder(std::string path, std::size_t parent)
    : path_(std::move(path)), parent_(parent), maker_(::getpid()) {}

std::unique_ptr<PrivateDataFolder> PrivateDataFolder::make(std::size_t firstParent, FolderFailures& failures) {
    const auto candidates = parents();
    for (std::size_t index = firstParent; index < candidates.size(); ++index) {
        const Parent& parent = candidates[index];
        if (parent.path == nullptr) {
            failures.add(std::string(parent.variable) + " is not set");
            continue;
        }
        if (!keepsItsEntries(parent, failures)) continue;
        const std::string pattern = std::string(parent.path) + '/' + std::string(namePrefix) +
                                    std::to_string(::getpid()) + '-' + std::string(uniqueLetters);
        if (!readAsOneFolder(pattern)) {
            failures.add(nameOf(parent) + ": too long a path for the ephemeris library, or one it would split");
            continue;
        }
        // mkdtemp fills in the pattern's letters even when it fails.
        std::string name;
        if (platform::retryInterrupted([&] {
                name = pattern;
                return ::mkdtemp(name.data()) == nullptr ? -1 : 0;
            }) != 0) {
            failures.add(nameOf(parent), errno);
            continue;
        }
        std::unique_ptr<PrivateDataFolder> folder(new PrivateDataFolder(std::move(name), index));
        if (folder->write(marker, ownIdentity() + '\n')) return folder;
        const int error = errno;
        folder.reset();
        failures.add(nameOf(parent), error);
    }
    if (firstParent >= candidates.size()) failures.add("no other folder is left to try");
    return nullptr;
}

PrivateDataFolder::~PrivateDataFolder() {
    if (::getpid() == maker_) {
        // The marker, made first, goes last.
        for (auto name = names_.rbegin(); name != names_.rend(); ++name) unlinkEntry(*name);
        platform::retryInterrupted([&] { return ::rmdir(path_.c_str()); });
    }
    // Only now are the files closed: no name leads to their numbers any more,
    // which the process may give to other files.
    held_.clear();
}

bool PrivateDataFolder::link(const std::string& name, platform::OutsideFile file) {
    const std::string target = "/proc/self/fd/" + std::to_string(file.descriptor());
    const std::string path = entry(name);
    // A name is kept for removal only once this object made its entry: one
    // that was there before is not ours to remove.
    if (platform::retryInterrupted([&] { return ::symlink(target.c_str(), path.c_str()); }) != 0) return false;
    names_.push_back(name);
    const struct stat held = file.status();
    held_.push_back(std::move(file));
    struct stat reached {};
    if (platform::retryInterrupted([&] { return ::stat(path.c_str(), &reached); }) != 0) return false;
    if (reached.st_dev == held.st_dev && reached.st_ino == held.st_ino) return true;
    errno = ENOENT;
    return false;
}

bool PrivateDataFolder::write(const std::string& name, std::string_view bytes) {
    const std::string path = entry(name);
    const std::string partial = path + std::string(partialSuffix);
    // Made here, exclusively: a file already at that name is not ours to fill,
    // rename or remove.
    const int fd = platform::retryInterrupted(
        [&] { return ::open(partial.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600); });
    if (fd < 0) return false;
    int error = platform::writeWhole(fd, bytes);
    const bool written = error == 0;
    // Never again after EINTR: the descriptor is closed whatever close says.
    const bool closed = ::close(fd) == 0;
    if (written && !closed) error = errno;
    // Only a file this object wrote there before is replaced; the first is
    // linked in, which leaves a file someone else put at that name as it is.
    const bool ours = std::find(names_.begin(), names_.end(), name) != names_.end();
    bool placed = false;
    if (written && closed) {
        if (ours) {
            placed = platform::retryInterrupted([&] { return ::rename(partial.c_str(), path.c_str()); }) == 0;
        } else if (platform::retryInterrupted([&] { return ::link(partial.c_str(), path.c_str()); }) == 0) {
            names_.push_back(name);
            placed = true;
        }
        if (!placed) error = errno;
    }
    if (placed && ours) return true;
    unlinkEntry(name + std::string(partialSuffix));
    if (placed) return true;
    errno = error;
    return false;
}

void PrivateDataFolder::remove(const std::string& name) {
    const auto made = std::find(names_.begin(), names_.end(), name);
    if (made == names_.end()) return;
    names_.erase(made);
    unlinkEntry(name);
}

void PrivateDataFolder::unlinkEntry(const std::string& name) const {
    const std::string path = entry(name);
    platform::retryInterrupted([&] { return ::unlink(path.c_str()); });
}

void PrivateDataFolder::removeLeftovers(const std::vector<std::string>& names) {
    // Else a number read from a folder's name or marker would be looked up as
    // another process's.
    if (!procShowsOwnProcessNumbers()) return;
    std::vector<std::string> sorted = names;
    std::sort(sorted.begin(), sorted.end());
    FolderFailures ignored;
    for (const Parent& candidate : parents()) {
        if (candidate.path == nullptr || !keepsItsEntries(candidate, ignored)) continue;
        const Descriptor parent(
            platform::retryInterrupted([&] { return ::open(candidate.path, O_RDONLY | O_DIRECTORY | O_CLOEXEC); }));
        const int listed = parent.get() >= 0 ? ::dup(parent.get()) : -1;
        DIR* listing = listed >= 0 ? ::fdopendir(listed) : nullptr;
        if (listing == nullptr) {
            if (listed >= 0) ::close(listed);
            continue;
        }
        // Removing entries while listing may make the listing pass over some
        // or show some twice; a later start sees those.
        std::size_t looked = 0;
        for (const dirent* entry; looked < longestParentListing && (entry = ::readdir(listing)) != nullptr; ++looked) {
            const std::string process = processOf(entry->d_name);
            if (!process.empty()) removeIfLeftover(parent.get(), entry->d_name, process, sorted);
        }
        ::closedir(listing);
    }
}

} // namespace swisseph
