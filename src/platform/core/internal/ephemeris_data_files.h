#pragma once
// The data files the Swiss Ephemeris library reads, as the program lets it read
// them. Private to src/platform/core.
//
// The library is given one private folder (private_data_folder.h) and nothing
// else; one that cannot take a file gives way to one in the next of its
// parents. gather() looks through the folders the user chose, as the library
// would, for every file the bridge's calls may make it open: the planets', the
// Moon's and the main asteroids' file for each 600 years of the span the bridge
// covers (sepl_18.se1, semom06.se1, ...) and the delta T table (swe_deltat.txt,
// else sedeltat.txt); each name in each folder in turn, the first that opens
// being the one. A file found must be a regular file; it is held open and
// linked into the private folder, but for the table, of which the library is
// given a copy of the lines it reads safely (delta_t_table.h). What else the
// library might look for (the elements of fictitious bodies, numbered
// asteroids, JPL files) it does not find. The files are taken as they are when
// gathered; a later change in the folders reaches the library with the next
// gathering.
//
// The star catalogue is looked for before every fixed star, as the library looks
// for it (sefstars.txt in each folder in turn, then fixstars.cat), and checked
// once per version of the file (star_catalogue.h); the library reads a copy of
// the checked bytes. The refusals of the last 16 versions checked are kept.
//
// A refusal whose cause passes (descriptors running short, ...) says so, for
// the caller not to keep it; each names its cause.
//
// Each of at most 20 folders is listed (up to 4096 entries; one holding more is
// searched for each name in turn), at most 155 names are looked for, and at most
// 153 files are held open.

#include "platform/core/expected.h"
#include "platform/core/internal/file_version.h"
#include "platform/core/internal/private_data_folder.h"
#include "platform/core/outside_file.h"

#include <sys/stat.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace swisseph {

using platform::FileVersion;

// Why the library must not be handed the files, or not read a star catalogue.
struct DataFilesRefusal {
    std::string message;
    bool passing = false;        // its cause may pass: a later call may succeed
    bool folderFailed = false;   // the private folder took no copy; one in a later parent may
};

class EphemerisDataFiles {
public:
    // Refused, with a message naming the file, when one is no regular file or
    // cannot be read, or when no private folder can be made in the parents from
    // `firstParent` on (each one's reason told). The first gathering of the
    // process first removes the folders of ended runs (removeLeftoverFolders).
    static platform::Expected<std::unique_ptr<EphemerisDataFiles>, DataFilesRefusal>
    gather(std::vector<std::string> folders, std::size_t firstParent = 0);

    // PrivateDataFolder::removeLeftovers with the names a folder of these files holds.
    static void removeLeftoverFolders();

    // The folder to hand the library, and which parent holds it.
    const std::string& folder() const noexcept { return private_->path(); }
    std::size_t parent() const noexcept { return private_->parent(); }

    // Makes the catalogue the library would read ready for it; why it must not
    // be read, if it must not. None found is for the library to say.
    std::optional<DataFilesRefusal> prepareStarCatalogue();

    // A number that changes, after the change, whenever the catalogue the
    // library finds in the private folder does.
    std::uint64_t catalogueVersion() const noexcept { return catalogueVersion_.load(std::memory_order_acquire); }

    // A text of the library's with the private folder's names turned back into
    // the files and folders the user chose.
    std::string inUserTerms(std::string_view text) const;

private:
    EphemerisDataFiles(std::vector<std::string> folders, std::unique_ptr<PrivateDataFolder> folder)
        : folders_(std::move(folders)), private_(std::move(folder)) {}

    // Links the files the library may open, with `listed` the names each folder
    // lists: true when all are, false when the private folder took a link not
    // (why added to `failures`), or a refusal naming a file.
    platform::Expected<bool, DataFilesRefusal> linkFiles(const std::vector<std::vector<bool>>& listed,
                                                         FolderFailures& failures);
    std::optional<DataFilesRefusal> copyCatalogue(platform::OutsideFile& file, const std::string& path);

    std::vector<std::string> folders_;
    std::unique_ptr<PrivateDataFolder> private_;
    std::vector<std::pair<std::string, std::string>> linked_;   // name in the private folder, file it leads to
    mutable std::mutex catalogueMutex_;
    std::optional<FileVersion> copied_;   // the version whose bytes the private folder holds
    std::string copiedFrom_;              // and its path
    std::atomic<std::uint64_t> catalogueVersion_{0};
};

} // namespace swisseph
