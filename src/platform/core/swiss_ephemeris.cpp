// The one file that includes the Swiss Ephemeris library's header.
#include "platform/core/swiss_ephemeris.h"

#include "platform/core/outside_file.h"

#include <swephexp.h>

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <mutex>
#include <vector>

namespace swisseph {
namespace {

// Debian's build keeps the library's state in thread-local storage, so the data
// path has to be handed to every thread. A thread that never set it finds no
// fixed-star catalogue (its first swe_fixstar2 fails, and keeps failing). The
// folder chosen for the process is kept here and applied, on each thread, before
// the thread's first call and again after every change.
struct ChosenPath {
    std::mutex mutex;
    std::optional<std::string> folder;   // std::nullopt: the installed data
};

ChosenPath& chosenPath() {
    static ChosenPath path;
    return path;
}

std::atomic<std::uint64_t> pathGeneration{1};
thread_local std::uint64_t appliedGeneration = 0;
// Why this thread may not ask the library anything, as found when its path was
// last applied.
thread_local std::optional<Error> pathRefusal;
// The folders the library searches on this thread, as found when its path was
// last applied: SE_EPHE_PATH when it won, else the folder it was given.
thread_local std::string searchedFolders;

// The files a thread opened stay open after it ends unless the thread closes
// them; a worker thread per batch fetch would otherwise leak three descriptors.
struct CloseFilesAtThreadExit {
    ~CloseFilesAtThreadExit() { swe_close(); }
};

constexpr char folderSeparator = ':';
// The library splits a folder list at ';' as well as at ':'.
constexpr std::string_view folderSeparators = ";:";

// The library reads ".", an empty entry and every relative name of a folder
// list against the current folder.
bool onlyAbsoluteFolders(std::string_view list) noexcept {
    for (std::size_t start = 0;;) {
        const std::size_t end = list.find_first_of(folderSeparators, start);
        const std::string_view entry = list.substr(start, end == std::string_view::npos ? end : end - start);
        if (entry.empty() || entry.front() != '/') return false;
        if (end == std::string_view::npos) return true;
        start = end + 1;
    }
}

// SE_EPHE_PATH as the library weighs it: it wins over the folder the library is
// given when it is set, not empty and no longer than the library takes.
std::optional<std::string> environmentPath() {
    const char* variable = std::getenv("SE_EPHE_PATH");
    if (variable == nullptr) return std::nullopt;
    const std::string_view list(variable);
    if (list.empty() || list.size() > maximumEphemerisPathLength) return std::nullopt;
    return std::string(list);
}

// One that names the current folder is refused rather than obeyed.
std::optional<Error> environmentRefusal(const std::optional<std::string>& environment) {
    if (!environment || onlyAbsoluteFolders(*environment)) return std::nullopt;
    return Error{"SE_EPHE_PATH names a folder relative to the current one, where the ephemeris library would read "
                 "data files from wherever the program was started"};
}

// Applies the process's data path to this thread if it has not been yet, and
// says why the library must not be asked at all, if it must not.
const std::optional<Error>& prepareThread() {
    if (appliedGeneration == pathGeneration.load(std::memory_order_acquire)) return pathRefusal;
    static thread_local CloseFilesAtThreadExit closeFiles;
    auto& chosen = chosenPath();
    std::optional<std::string> folder;
    std::uint64_t generation = 0;
    {
        const std::lock_guard lock(chosen.mutex);
        folder = chosen.folder;
        generation = pathGeneration.load(std::memory_order_relaxed);
    }
    auto environment = environmentPath();
    pathRefusal = environmentRefusal(environment);
    if (!folder) folder = std::string(installedEphemerisPath());
    // Never a null folder: the library's own default begins with the current one.
    if (!pathRefusal) swe_set_ephe_path(folder->c_str());
    searchedFolders = environment ? std::move(*environment) : std::move(*folder);
    appliedGeneration = generation;
    return pathRefusal;
}

// The star catalogue is read by the library on a thread's first fixed star, and
// some damage crashes or stops it there. What it takes was found by trying
// crafted files on it. It reads a line at a time into 256 bytes: the rest of a
// longer line is read as a line of its own. It reads a line up to its first
// carriage return, and passes over a line that is then empty or begins with '#'.
// Any other line it splits at commas: one without a comma crashes it, and one
// with fewer than the 14 fields it reads (name, nomenclature, equinox, right
// ascension and declination in three parts each, proper motions in both, radial
// velocity, parallax, magnitude) spoils the whole catalogue and leaks the stars
// read before it. After the name it counts a run of commas as one, so an empty
// field there is one field fewer. A NUL byte ends a line early. So every line
// must fit in the buffer and hold a star's fields, each but the name not empty,
// unless the library passes over it.
constexpr std::size_t longestCatalogueLine = AS_MAXCH - 1;
constexpr std::ptrdiff_t fieldsOfAStar = 14;
// Each thread keeps its own copy of the catalogue; the one installed is 136 kB.
constexpr std::size_t largestCatalogue = std::size_t{1} << 20;
// Catalogues are checked once per version of the file; at most this many
// checks are kept, and past that the list starts again (a folder named by the
// caller may change often).
constexpr std::size_t keptCatalogueChecks = 16;

std::optional<std::string> catalogueDamage(std::string_view text) {
    bool anyStar = false;
    std::size_t number = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        const std::string where = "line " + std::to_string(++number);
        if (line.size() > longestCatalogueLine) return where + " is longer than 255 bytes";
        if (line.find('\0') != std::string_view::npos) return where + " holds a NUL byte";
        const std::string_view read = line.substr(0, line.find('\r'));
        if (read.empty() || read.front() == '#') continue;
        std::ptrdiff_t field = 0;
        for (std::size_t from = 0;; ++field) {
            const std::size_t comma = read.find(',', from);
            if (field > 0 && field < fieldsOfAStar && (comma == from || from == read.size()))
                return where + " has an empty field where a star needs a value";
            if (comma == std::string_view::npos) break;
            from = comma + 1;
        }
        if (field + 1 < fieldsOfAStar) return where + " has fewer than the 14 fields of a star";
        anyStar = true;
    }
    if (!anyStar) return "it holds no star";
    return std::nullopt;
}

// One version of a file: replaced, rewritten or touched, it is another.
struct FileVersion {
    std::string path;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    FileVersion(std::string name, const struct stat& status)
        : path(std::move(name)), device(status.st_dev), inode(status.st_ino), size(status.st_size),
          modified(status.st_mtim), changed(status.st_ctim) {}

    bool operator==(const FileVersion& other) const noexcept {
        const auto same = [](const timespec& a, const timespec& b) {
            return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
        };
        return path == other.path && device == other.device && inode == other.inode && size == other.size &&
               same(modified, other.modified) && same(changed, other.changed);
    }
};

// Shared by every thread: batch requests place stars on several at once.
class CatalogueChecks {
public:
    // The check of this version of a file, if it was kept.
    bool find(const FileVersion& version, std::optional<Error>& result) {
        const std::lock_guard lock(mutex_);
        for (const auto& [checked, kept] : results_) {
            if (checked == version) {
                result = kept;
                return true;
            }
        }
        return false;
    }

    void keep(FileVersion version, std::optional<Error> result) {
        const std::lock_guard lock(mutex_);
        if (results_.size() >= keptCatalogueChecks) results_.clear();
        results_.emplace_back(std::move(version), std::move(result));
    }

private:
    std::mutex mutex_;
    std::vector<std::pair<FileVersion, std::optional<Error>>> results_;
};

CatalogueChecks& catalogueChecks() {
    static CatalogueChecks checks;
    return checks;
}

// Why the opened catalogue must not reach the library, if it must not.
std::optional<Error> catalogueRefusal(platform::OutsideFile& file, const std::string& path) {
    // A FIFO would stop the library until a writer came; a folder or device is no catalogue.
    auto text = file.readAll(largestCatalogue);
    if (!text) {
        switch (text.error().kind) {
        case platform::OutsideFileError::Kind::notRegularFile: return Error{path + " is not a regular file"};
        case platform::OutsideFileError::Kind::tooLarge: return Error{path + " is larger than 1 MiB"};
        case platform::OutsideFileError::Kind::cannotOpen:
        case platform::OutsideFileError::Kind::cannotRead: break;
        }
        return Error{path + " cannot be read"};
    }
    std::optional<Error> result;
    if (auto damage = catalogueDamage(*text)) result = Error{path + " is damaged: " + *damage};
    // Kept only when the file did not change while it was read.
    struct stat after {};
    FileVersion version(path, file.status());
    if (::fstat(file.descriptor(), &after) == 0 && FileVersion(path, after) == version)
        catalogueChecks().keep(std::move(version), result);
    return result;
}

// What the library cannot open either, it passes over.
bool passedOver(int error) noexcept {
    return error == ENOENT || error == ENOTDIR || error == EACCES || error == ELOOP;
}

// The catalogue is looked for as the library looks for it: its name in each
// folder of the list in turn, then its older name in each; the first that opens
// is the one read. None found is for the library to say. A version of the file
// checked before is only looked at, not opened again.
std::optional<Error> starCatalogueRefusal() {
    const std::string_view list = searchedFolders;
    for (const char* name : {SE_STARFILE, SE_STARFILE_OLD}) {
        for (std::size_t start = 0; start <= list.size();) {
            const std::size_t end = std::min(list.find_first_of(folderSeparators, start), list.size());
            std::string path(list.substr(start, end - start));
            start = end + 1;
            if (path.empty()) continue;
            if (path.back() != '/') path += '/';
            path += name;
            struct stat status {};
            if (::stat(path.c_str(), &status) != 0) {
                if (passedOver(errno)) continue;
                return Error{path + " cannot be read"};
            }
            std::optional<Error> known;
            if (catalogueChecks().find(FileVersion(path, status), known)) return known;
            auto file = platform::OutsideFile::open(path);
            if (file) return catalogueRefusal(*file, path);
            const auto& error = file.error();
            if (error.kind == platform::OutsideFileError::Kind::cannotOpen && passedOver(error.systemError)) continue;
            return Error{path + " cannot be read"};
        }
    }
    return std::nullopt;
}

struct ErrorText {
    char text[AS_MAXCH] = {};
    Error error(const char* fallback) const {
        return Error{text[0] != '\0' ? std::string(text) : std::string(fallback)};
    }
};

template <std::size_t N>
bool allFinite(const std::array<double, N>& values, std::size_t count = N) {
    return std::all_of(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(count),
                       [](double v) { return std::isfinite(v); });
}

Error notFinite(const char* what) { return Error{std::string(what) + " is not a finite number"}; }

bool covered(double julianDay) noexcept { return julianDay >= earliestJulianDay && julianDay <= latestJulianDay; }

// Why the library must not be asked about this Julian day; none when it may be.
std::optional<Error> refusedJulianDay(double julianDay) {
    if (!std::isfinite(julianDay)) return notFinite("the Julian day");
    if (!covered(julianDay)) {
        char text[128];
        std::snprintf(text, sizeof text, "the Julian day lies outside the span the ephemeris library covers, %.1f to %.1f",
                      earliestJulianDay, latestJulianDay);
        return Error{text};
    }
    return std::nullopt;
}

} // namespace

double julianDay(int year, int month, int day, double hour, bool gregorian) {
    return swe_julday(year, month, day, hour, gregorian ? SE_GREG_CAL : SE_JUL_CAL);
}

double deltaT(double julianDayUT) {
    if (!covered(julianDayUT) || prepareThread()) return std::numeric_limits<double>::quiet_NaN();
    return swe_deltat(julianDayUT);
}

double deltaT(double julianDayUT, std::int32_t flags) {
    if (!covered(julianDayUT) || prepareThread()) return std::numeric_limits<double>::quiet_NaN();
    char serr[AS_MAXCH];   // the library's warnings (a fallback to another model) are not failures
    return swe_deltat_ex(julianDayUT, flags, serr);
}

namespace {

template <class Calculation>
Result<Position> position(double julianDay, Calculation calculation) {
    if (auto refused = refusedJulianDay(julianDay)) return *std::move(refused);
    if (const auto& refused = prepareThread()) return *refused;
    Position result;
    ErrorText serr;
    const std::int32_t used = calculation(result.values.data(), serr.text);
    if (used < 0) return serr.error("position calculation failed");
    if (!allFinite(result.values)) return Error{"position calculation gave no finite result"};
    result.flagsUsed = used;
    return result;
}

} // namespace

Result<Position> calculateUT(double julianDayUT, std::int32_t bodyNumber, std::int32_t flags) {
    return position(julianDayUT, [&](double* values, char* serr) {
        return swe_calc_ut(julianDayUT, bodyNumber, flags, values, serr);
    });
}

Result<Position> calculate(double julianDayET, std::int32_t bodyNumber, std::int32_t flags) {
    return position(julianDayET, [&](double* values, char* serr) {
        return swe_calc(julianDayET, bodyNumber, flags, values, serr);
    });
}

Result<StarPosition> fixedStar(std::string_view name, double julianDay, std::int32_t flags) {
    if (auto refused = refusedJulianDay(julianDay)) return *std::move(refused);
    if (name.empty() || name.find('\0') != std::string_view::npos) return Error{"fixed star name is not valid"};
    // The library writes "traditional,nomenclature" back into the buffer, each
    // part cut to 40 characters, so the buffer only has to hold the query.
    char star[2 * SE_MAX_STNAME] = {};
    if (name.size() >= SE_MAX_STNAME) return Error{"fixed star name is too long"};
    std::memcpy(star, name.data(), name.size());
    if (const auto& refused = prepareThread()) return *refused;
    if (auto refused = starCatalogueRefusal()) return *std::move(refused);
    StarPosition result;
    ErrorText serr;
    const std::int32_t used = swe_fixstar2(star, julianDay, flags, result.position.values.data(), serr.text);
    if (used < 0) return serr.error("fixed star not found");
    if (!allFinite(result.position.values)) return Error{"fixed star calculation gave no finite result"};
    result.position.flagsUsed = used;
    result.name = star;
    return result;
}

Result<double> ayanamsha(double julianDay) {
    if (auto refused = refusedJulianDay(julianDay)) return *std::move(refused);
    if (const auto& refused = prepareThread()) return *refused;
    double value = 0.0;
    ErrorText serr;
    // Without nutation this is, bit for bit, the value of swe_get_ayanamsa, which
    // has no status of its own.
    if (swe_get_ayanamsa_ex(julianDay, SEFLG_NONUT, &value, serr.text) < 0) return serr.error("ayanamsha failed");
    if (!std::isfinite(value)) return Error{"ayanamsha gave no finite result"};
    return value;
}

Result<Houses> houses(double julianDayUT, double latitude, double longitude, char system) {
    if (auto refused = refusedJulianDay(julianDayUT)) return *std::move(refused);
    if (!std::isfinite(latitude) || latitude < -90.0 || latitude > 90.0)
        return Error{"latitude must lie between -90 and 90 degrees"};
    if (!std::isfinite(longitude)) return notFinite("the longitude");
    if (system == 'G') return Error{"Gauquelin sectors are not offered"};
    if (const auto& refused = prepareThread()) return *refused;
    Houses result;
    double cusps[37] = {};   // room for the library's largest output
    ErrorText serr;
    const int status = swe_houses_ex2(julianDayUT, 0, latitude, longitude, system, cusps, result.ascmc.data(),
                                      nullptr, nullptr, serr.text);
    // Beyond the polar circles the library answers Placidus and Koch with ERR and
    // Porphyry cusps; for every other system ERR is a failure.
    const bool polarSystem = system == 'P' || system == 'K';
    if (status < 0 && !polarSystem) return serr.error("house calculation failed");
    std::copy(cusps, cusps + 13, result.cusps.begin());
    result.cusps[0] = 0.0;
    if (!allFinite(result.cusps) || !allFinite(result.ascmc, 2)) return Error{"house calculation gave no finite result"};
    result.fellBack = status < 0;
    return result;
}

Result<std::array<double, 20>> phenomenaUT(double julianDayUT, std::int32_t bodyNumber, std::int32_t flags) {
    if (auto refused = refusedJulianDay(julianDayUT)) return *std::move(refused);
    if (const auto& refused = prepareThread()) return *refused;
    std::array<double, 20> attributes{};
    ErrorText serr;
    if (swe_pheno_ut(julianDayUT, bodyNumber, flags, attributes.data(), serr.text) < 0)
        return serr.error("phenomena calculation failed");
    if (!allFinite(attributes, 5)) return Error{"phenomena calculation gave no finite result"};
    return attributes;
}

Result<std::optional<double>> riseOrSet(double julianDayUT, std::int32_t bodyNumber, bool rise,
                                        double longitude, double latitude, double altitude,
                                        Atmosphere atmosphere) {
    if (auto refused = refusedJulianDay(julianDayUT)) return *std::move(refused);
    if (!std::isfinite(latitude) || latitude < -90.0 || latitude > 90.0)
        return Error{"latitude must lie between -90 and 90 degrees"};
    if (!std::isfinite(longitude)) return notFinite("the longitude");
    if (!std::isfinite(altitude)) return notFinite("the altitude");
    if (!std::isfinite(atmosphere.pressure)) return notFinite("the atmospheric pressure");
    if (!std::isfinite(atmosphere.temperature)) return notFinite("the atmospheric temperature");
    if (const auto& refused = prepareThread()) return *refused;
    double geopos[3] = {longitude, latitude, altitude};
    double when = 0.0;
    ErrorText serr;
    const std::int32_t status = swe_rise_trans(julianDayUT, bodyNumber, nullptr, SEFLG_SWIEPH,
                                               rise ? SE_CALC_RISE : SE_CALC_SET, geopos, atmosphere.pressure,
                                               atmosphere.temperature, &when, serr.text);
    if (status == -2) return std::optional<double>{};   // circumpolar or never rising: no event
    if (status < 0) return serr.error("rise or set calculation failed");
    if (!std::isfinite(when)) return Error{"rise or set calculation gave no finite result"};
    return std::optional<double>{when};
}

Result<double> solarCrossingUT(double longitude, double julianDayUT, std::int32_t flags) {
    if (auto refused = refusedJulianDay(julianDayUT)) return *std::move(refused);
    if (!std::isfinite(longitude)) return notFinite("the longitude");
    if (const auto& refused = prepareThread()) return *refused;
    ErrorText serr;
    const double when = swe_solcross_ut(longitude, julianDayUT, flags, serr.text);
    if (!(when >= julianDayUT) || !std::isfinite(when)) return serr.error("solar crossing not found");
    return when;
}

namespace {

EclipseKind eclipseKind(std::int32_t flags) {
    if (flags & SE_ECL_ANNULAR_TOTAL) return EclipseKind::hybrid;
    if (flags & SE_ECL_TOTAL) return EclipseKind::total;
    if (flags & SE_ECL_ANNULAR) return EclipseKind::annular;
    if (flags & SE_ECL_PENUMBRAL) return EclipseKind::penumbral;
    return EclipseKind::partial;
}

} // namespace

Result<GlobalEclipse> lunarEclipse(double julianDayUT, bool backward) {
    if (auto refused = refusedJulianDay(julianDayUT)) return *std::move(refused);
    if (const auto& refused = prepareThread()) return *refused;
    double times[10] = {};
    ErrorText serr;
    const std::int32_t flags = swe_lun_eclipse_when(julianDayUT, SEFLG_SWIEPH, 0, times, backward ? 1 : 0, serr.text);
    if (flags <= 0) return serr.error("lunar eclipse search failed");
    double place[3] = {};
    double attributes[20] = {};
    if (swe_lun_eclipse_how(times[0], SEFLG_SWIEPH, place, attributes, serr.text) < 0)
        return serr.error("lunar eclipse attributes failed");
    if (!std::isfinite(times[0]) || !std::isfinite(attributes[0]) || !std::isfinite(attributes[1]))
        return Error{"lunar eclipse search gave no finite result"};
    return GlobalEclipse{times[0], eclipseKind(flags), false, attributes[0], attributes[1]};
}

Result<GlobalEclipse> solarEclipse(double julianDayUT, bool backward) {
    if (auto refused = refusedJulianDay(julianDayUT)) return *std::move(refused);
    if (const auto& refused = prepareThread()) return *refused;
    double times[10] = {};
    ErrorText serr;
    const std::int32_t flags =
        swe_sol_eclipse_when_glob(julianDayUT, SEFLG_SWIEPH, 0, times, backward ? 1 : 0, serr.text);
    if (flags <= 0) return serr.error("solar eclipse search failed");
    double place[10] = {};
    double attributes[20] = {};
    if (swe_sol_eclipse_where(times[0], SEFLG_SWIEPH, place, attributes, serr.text) < 0)
        return serr.error("solar eclipse attributes failed");
    if (!std::isfinite(times[0]) || !std::isfinite(attributes[0]) || !std::isfinite(attributes[1]))
        return Error{"solar eclipse search gave no finite result"};
    return GlobalEclipse{times[0], eclipseKind(flags), (flags & SE_ECL_CENTRAL) != 0, attributes[0], attributes[1]};
}

bool setEphemerisPath(std::optional<std::string_view> folder) {
    if (folder && (folder->size() > maximumEphemerisPathLength || folder->find('\0') != std::string_view::npos ||
                   !onlyAbsoluteFolders(*folder)))
        return false;
    auto& chosen = chosenPath();
    {
        const std::lock_guard lock(chosen.mutex);
        chosen.folder = folder ? std::optional<std::string>(std::string(*folder)) : std::nullopt;
        pathGeneration.fetch_add(1, std::memory_order_release);
    }
    static_cast<void>(prepareThread());
    return true;
}

std::uint64_t ephemerisGeneration() noexcept { return pathGeneration.load(std::memory_order_acquire); }

std::string_view installedEphemerisPath() {
    // The library's default list without the entries that name the current folder.
    static const std::string folders = [] {
        std::string kept;
        const std::string_view list = SE_EPHE_PATH;
        for (std::size_t start = 0; start <= list.size();) {
            const std::size_t end = std::min(list.find_first_of(folderSeparators, start), list.size());
            const std::string_view entry = list.substr(start, end - start);
            if (!entry.empty() && onlyAbsoluteFolders(entry)) {
                if (!kept.empty()) kept += folderSeparator;
                kept += entry;
            }
            start = end + 1;
        }
        return kept;
    }();
    return folders;
}

std::string version() {
    char text[AS_MAXCH] = {};
    swe_version(text);
    return text;
}

} // namespace swisseph
