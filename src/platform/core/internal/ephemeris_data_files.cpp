#include "platform/core/internal/ephemeris_data_files.h"

#include "platform/core/internal/delta_t_table.h"
#include "platform/core/internal/star_catalogue.h"
#include "platform/core/internal/system_error.h"
#include "platform/core/outside_file.h"

#include <dirent.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <mutex>
#include <string_view>

namespace swisseph {
namespace {

// The library reads the first of these it finds along its path, and no other.
constexpr const char* deltaTNames[] = {"swe_deltat.txt", "sedeltat.txt"};

bool isDeltaTTable(std::string_view name) noexcept {
    return std::find(std::begin(deltaTNames), std::end(deltaTNames), name) != std::end(deltaTNames);
}

// The span the bridge covers, 13201 BC to AD 17191, lies in the files of the 600
// years from 13200 BC ("m132") to AD 16800 ("_168"), each holding the planets,
// the Moon or the main asteroids.
std::vector<std::string> libraryFileNames() {
    std::vector<std::string> names(std::begin(deltaTNames), std::end(deltaTNames));
    for (const char* body : {"sepl", "semo", "seas"}) {
        char name[32];
        for (int centuries = 0; centuries <= 168; centuries += 6) {
            std::snprintf(name, sizeof name, "%s_%02d.se1", body, centuries);
            names.emplace_back(name);
        }
        for (int centuries = 6; centuries <= 132; centuries += 6) {
            std::snprintf(name, sizeof name, "%sm%02d.se1", body, centuries);
            names.emplace_back(name);
        }
    }
    return names;
}

// Listing a folder is cheaper than looking for every name in it, up to this
// many entries; a folder holding more is searched name by name.
constexpr std::size_t longestListing = 4096;

// Which of `names` (sorted) a folder holds, as its listing has them: none when
// it is not there, every one when it cannot be listed (a folder that may only be
// searched) or holds too many entries to list.
std::vector<bool> listedNames(const std::string& folder, const std::vector<std::string>& names) {
    std::vector<bool> listed(names.size(), true);
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr && (errno == ENOENT || errno == ENOTDIR || errno == ELOOP))
        return std::vector<bool>(names.size(), false);
    if (listing == nullptr) return listed;
    std::vector<bool> found(names.size(), false);
    std::size_t entries = 0;
    for (const dirent* entry; (entry = ::readdir(listing)) != nullptr && ++entries <= longestListing;) {
        const auto at = std::lower_bound(names.begin(), names.end(), std::string_view(entry->d_name));
        if (at != names.end() && *at == entry->d_name) found[static_cast<std::size_t>(at - names.begin())] = true;
    }
    ::closedir(listing);
    return entries <= longestListing ? found : listed;
}

constexpr const char* catalogueNames[] = {"sefstars.txt", "fixstars.cat"};
// The name of the copy: the first the library looks for.
const std::string catalogueCopy = catalogueNames[0];

// What the library cannot open either, it passes over.
bool passedOver(int error) noexcept {
    return error == ENOENT || error == ENOTDIR || error == EACCES || error == ELOOP;
}

bool passedOver(const platform::OutsideFileError& error) noexcept {
    return error.kind == platform::OutsideFileError::Kind::cannotOpen && passedOver(error.systemError);
}

DataFilesRefusal cannotBeRead(const std::string& path, int error) {
    return {path + " cannot be read: " + platform::system_error::describe(error), platform::system_error::passes(error)};
}

// The library's own joining of a folder and a name.
std::string inFolder(const std::string& folder, std::string_view name) {
    return folder + (folder.back() == '/' ? "" : "/") + std::string(name);
}

// Why a file read whole for the library cannot be, both caps being 1 MiB.
DataFilesRefusal readRefusal(const std::string& path, const platform::OutsideFileError& error) {
    static_assert(star_catalogue::largest == std::size_t{1} << 20 && delta_t_table::largest == star_catalogue::largest);
    switch (error.kind) {
    case platform::OutsideFileError::Kind::notRegularFile: return DataFilesRefusal{path + " is not a regular file"};
    case platform::OutsideFileError::Kind::tooLarge: return DataFilesRefusal{path + " is larger than 1 MiB"};
    case platform::OutsideFileError::Kind::cannotOpen:
    case platform::OutsideFileError::Kind::cannotRead: break;
    }
    return cannotBeRead(path, error.systemError);
}

// The lines of a delta T table that the library reads safely; refused by its
// size before any of it is read.
platform::Expected<std::string, DataFilesRefusal> deltaTTableCopy(platform::OutsideFile& file,
                                                                  const std::string& path) {
    auto text = file.readAll(delta_t_table::largest);
    if (!text) return readRefusal(path, text.error());
    auto copy = delta_t_table::soundCopy(*text);
    if (!copy) return DataFilesRefusal{path + " is damaged: " + copy.error().what};
    return *std::move(copy);
}

constexpr std::size_t keptRefusals = 16;

// Refusals of catalogue versions, shared by every thread and gathering: a
// damaged file is read once, however many stars are asked for.
class CatalogueRefusals {
public:
    std::optional<std::string> find(const FileVersion& version) {
        const std::lock_guard lock(mutex_);
        for (const auto& [checked, refusal] : kept_)
            if (checked == version) return refusal;
        return std::nullopt;
    }

    void keep(FileVersion version, std::string refusal) {
        const std::lock_guard lock(mutex_);
        if (kept_.size() >= keptRefusals) kept_.clear();
        kept_.emplace_back(std::move(version), std::move(refusal));
    }

private:
    std::mutex mutex_;
    std::vector<std::pair<FileVersion, std::string>> kept_;
};

CatalogueRefusals& catalogueRefusals() {
    static CatalogueRefusals refusals;
    return refusals;
}

const std::vector<std::string>& libraryNames() {
    static const std::vector<std::string> names = libraryFileNames();
    return names;
}

const std::vector<std::string>& sortedLibraryNames() {
    static const std::vector<std::string> sorted = [] {
        auto names = libraryNames();
        std::sort(names.begin(), names.end());
        return names;
    }();
    return sorted;
}

} // namespace

void EphemerisDataFiles::removeLeftoverFolders() {
    std::vector<std::string> names = libraryNames();
    names.push_back(catalogueCopy);
    PrivateDataFolder::removeLeftovers(names);
}

platform::Expected<std::unique_ptr<EphemerisDataFiles>, DataFilesRefusal>
EphemerisDataFiles::gather(std::vector<std::string> folders, std::size_t firstParent) {
    static std::once_flag leftoversRemoved;
    std::call_once(leftoversRemoved, removeLeftoverFolders);
    std::vector<std::vector<bool>> listed;
    for (const auto& candidate : folders) listed.push_back(listedNames(candidate, sortedLibraryNames()));
    FolderFailures failures;
    for (std::size_t parent = firstParent;;) {
        auto folder = PrivateDataFolder::make(parent, failures);
        if (!folder)
            return DataFilesRefusal{"no private folder could be made for the ephemeris data files: " + failures.reasons,
                                    failures.passing};
        parent = folder->parent() + 1;
        std::unique_ptr<EphemerisDataFiles> files(new EphemerisDataFiles(folders, std::move(folder)));
        const auto linked = files->linkFiles(listed, failures);
        if (!linked) return linked.error();
        if (*linked) return files;
    }
}

platform::Expected<bool, DataFilesRefusal>
EphemerisDataFiles::linkFiles(const std::vector<std::vector<bool>>& listed, FolderFailures& failures) {
    const auto& sortedNames = sortedLibraryNames();
    bool tableFound = false;
    for (const auto& name : libraryNames()) {
        const bool table = isDeltaTTable(name);
        if (table && tableFound) continue;
        const auto index = static_cast<std::size_t>(
            std::lower_bound(sortedNames.begin(), sortedNames.end(), name) - sortedNames.begin());
        for (std::size_t at = 0; at < folders_.size(); ++at) {
            if (!listed[at][index]) continue;
            const std::string path = inFolder(folders_[at], name);
            auto file = platform::OutsideFile::open(path);
            if (!file && passedOver(file.error())) continue;
            if (!file) return cannotBeRead(path, file.error().systemError);
            if (!S_ISREG(file->status().st_mode)) return DataFilesRefusal{path + " is not a regular file"};
            if (table) {
                const auto copy = deltaTTableCopy(*file, path);
                if (!copy) return copy.error();
                if (!private_->write(name, *copy)) {
                    failures.add(folder() + ": " + path + " cannot be copied there", errno);
                    return false;
                }
                tableFound = true;
            } else if (!private_->link(name, std::move(*file))) {
                failures.add(folder() + ": " + path + " cannot be linked there", errno);
                return false;
            }
            linked_.emplace_back(name, path);
            break;
        }
    }
    return true;
}

std::optional<DataFilesRefusal> EphemerisDataFiles::prepareStarCatalogue() {
    const std::lock_guard lock(catalogueMutex_);
    for (const char* name : catalogueNames) {
        for (const auto& candidate : folders_) {
            const std::string path = inFolder(candidate, name);
            struct stat status {};
            if (::stat(path.c_str(), &status) != 0) {
                if (passedOver(errno)) continue;
                return cannotBeRead(path, errno);
            }
            const FileVersion version(path, status);
            if (copied_ && *copied_ == version) return std::nullopt;
            if (auto refusal = catalogueRefusals().find(version)) return DataFilesRefusal{*std::move(refusal)};
            auto file = platform::OutsideFile::open(path);
            if (!file && passedOver(file.error())) continue;
            if (!file) return cannotBeRead(path, file.error().systemError);
            return copyCatalogue(*file, path);
        }
    }
    // None: the library must not find an earlier one either.
    if (!copiedFrom_.empty()) {
        private_->remove(catalogueCopy);
        catalogueVersion_.fetch_add(1, std::memory_order_release);
    }
    copied_.reset();
    copiedFrom_.clear();
    return std::nullopt;
}

std::optional<DataFilesRefusal> EphemerisDataFiles::copyCatalogue(platform::OutsideFile& file,
                                                                   const std::string& path) {
    // A FIFO would stop the library until a writer came; a folder or device is no catalogue.
    auto text = file.readAll(star_catalogue::largest);
    if (!text) return readRefusal(path, text.error());
    // Kept only when the file did not change while it was read.
    FileVersion version(path, file.status());
    struct stat after {};
    const bool unchanged = ::fstat(file.descriptor(), &after) == 0 && FileVersion(path, after) == version;
    if (auto damage = star_catalogue::damage(*text)) {
        std::string refusal = path + " is damaged: " + *damage;
        if (unchanged) catalogueRefusals().keep(std::move(version), refusal);
        return DataFilesRefusal{std::move(refusal)};
    }
    if (!private_->write(catalogueCopy, *text)) {
        const int error = errno;
        return DataFilesRefusal{path + " cannot be copied for the ephemeris library: " + private_->path() + ": " +
                                    platform::system_error::describe(error),
                                platform::system_error::passes(error), true};
    }
    catalogueVersion_.fetch_add(1, std::memory_order_release);
    copiedFrom_ = path;
    if (unchanged) copied_ = std::move(version);
    else copied_.reset();
    return std::nullopt;
}

std::string EphemerisDataFiles::inUserTerms(std::string_view text) const {
    const std::string& root = private_->path();
    std::string folderList;
    for (const auto& folder : folders_) folderList += (folderList.empty() ? "" : ":") + folder;
    std::string result;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(root, from)) != std::string_view::npos;) {
        result.append(text.substr(from, at - from));
        from = at + root.size();
        // A file of the folder is the file it stands for; the folder itself,
        // the folders it stands for.
        std::string_view name;
        std::string original;
        if (from < text.size() && text[from] == '/') {
            ++from;
            const std::string_view rest = text.substr(from);
            const std::lock_guard lock(catalogueMutex_);
            for (const auto& [linkedName, path] : linked_) {
                if (rest.starts_with(linkedName) && linkedName.size() > name.size()) {
                    name = linkedName;
                    original = path;
                }
            }
            if (!copiedFrom_.empty() && rest.starts_with(catalogueCopy) && catalogueCopy.size() > name.size()) {
                name = catalogueCopy;
                original = copiedFrom_;
            }
        }
        from += name.size();
        result.append(name.empty() ? folderList : original);
    }
    result.append(text.substr(from));
    return result;
}

} // namespace swisseph
