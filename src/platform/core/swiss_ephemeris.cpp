// The one file that includes the Swiss Ephemeris library's header.
#include "platform/core/swiss_ephemeris.h"

#include "platform/core/internal/c_locale.h"
#include "platform/core/internal/ephemeris_data_files.h"
#include "platform/core/internal/ephemeris_folder_list.h"
#include "platform/core/internal/system_error.h"

#include <swephexp.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <mutex>
#include <utility>

namespace swisseph {
namespace {

// One choice of data folders as gathered for the library: the files it may read,
// or why it must not be asked at all, or only about what reads no file.
struct GatheredPath {
    std::optional<Error> refusal;        // stops every call
    std::optional<Error> filesRefusal;   // stops the calls that read files
    bool passing = false;                // filesRefusal's cause may pass: gathered again for the next such call
    std::unique_ptr<EphemerisDataFiles> files;   // when neither refusal

    // The folder the library is handed: the private one or, without it, a path
    // under which nothing opens (each file looked for there fails with ENOTDIR).
    // Never none: the library's own default begins with the current folder.
    std::string libraryFolder() const { return files ? files->folder() : std::string("/dev/null"); }
};

// Debian's build keeps the library's state in thread-local storage, so the data
// path has to be handed to every thread. A thread that never set it finds no
// fixed-star catalogue (its first swe_fixstar2 fails, and keeps failing). The
// folders chosen for the process are gathered here once, and the private folder
// they give is handed to each thread before its first call and again after
// every change.
struct ChosenPath {
    std::mutex mutex;
    std::optional<std::string> folder;        // std::nullopt: the installed data
    std::shared_ptr<GatheredPath> gathered;   // null until gathered again
    // SE_EPHE_PATH as the user had it at the last gathering, and a value written
    // over it that could not be taken back (the C library out of memory).
    std::optional<std::string> environmentSeen;
    std::optional<std::string> environmentWritten;
};

ChosenPath& chosenPath() {
    static ChosenPath path;
    return path;
}

std::atomic<std::uint64_t> pathGeneration{1};   // what ephemerisGeneration tells
std::atomic<std::uint64_t> gatheringCount{1};   // one more with every gathering

struct ThreadPath {
    std::uint64_t gathering = 0;
    // Held while the library on this thread may open files through its folder.
    std::shared_ptr<GatheredPath> applied;
    // The gathering and catalogue version whose stars the library on this
    // thread holds; none before its first star.
    std::optional<std::pair<std::uint64_t, std::uint64_t>> stars;
    // The files a thread opened stay open after it ends unless the thread closes
    // them (a worker thread per batch fetch would leak three descriptors); closed
    // before the private folder they came from may go.
    ~ThreadPath() { swe_close(); }
};

ThreadPath& threadPath() {
    static thread_local ThreadPath path;
    return path;
}

std::optional<std::string> environmentValue() {
    const char* variable = std::getenv("SE_EPHE_PATH");
    return variable != nullptr ? std::optional<std::string>(variable) : std::nullopt;
}

// SE_EPHE_PATH as the library weighs it: it wins over the folder the library is
// given when it is set, not empty and no longer than the library takes.
bool environmentWins(const std::optional<std::string>& value) {
    return value && !value->empty() && value->size() <= maximumEphemerisPathLength;
}

// Whether a call with these flags makes the library read files: every one but
// those with its analytic theory alone.
bool readsFiles(std::int32_t flags) noexcept {
    return (flags & (SEFLG_JPLEPH | SEFLG_SWIEPH | SEFLG_MOSEPH)) != SEFLG_MOSEPH;
}

Error environmentRefusal(folder_list::Fault fault) {
    switch (fault) {
    case folder_list::Fault::relative: break;
    case folder_list::Fault::readOtherwise:
        return Error{"SE_EPHE_PATH holds a line break or more than 20 folders, which the ephemeris library would "
                     "read otherwise than it is written"};
    }
    return Error{"SE_EPHE_PATH names a folder relative to the current one, where the ephemeris library would read "
                 "data files from wherever the program was started"};
}

// The data files of the folders SE_EPHE_PATH or the process chose, in a private
// folder of the parents from `firstParent` on.
std::shared_ptr<GatheredPath> gatheredPath(const ChosenPath& chosen, const std::optional<std::string>& environment,
                                           std::size_t firstParent) {
    auto path = std::make_shared<GatheredPath>();
    const std::string list = environmentWins(environment) ? *environment
                             : chosen.folder              ? *chosen.folder
                                                          : std::string(installedEphemerisPath());
    // A folder the process chose was checked when chosen, the installed ones are sound.
    auto folders = folder_list::foldersOf(list);
    if (!folders) {
        path->refusal = environmentRefusal(folders.error());
    } else if (auto files = EphemerisDataFiles::gather({folders->begin(), folders->end()}, firstParent)) {
        path->files = std::move(*files);
    } else {
        path->filesRefusal = Error{files.error().message};
        path->passing = files.error().passing;
    }
    return path;
}

void install(ChosenPath& chosen, std::shared_ptr<GatheredPath> path, const std::optional<std::string>& environment) {
    chosen.gathered = std::move(path);
    chosen.environmentSeen = environment;
    gatheringCount.fetch_add(1, std::memory_order_release);
}

// Hands this thread's library `folder`; the errno of a failure, 0 on success.
// The library takes SE_EPHE_PATH over the folder it is given while the variable
// wins, so the variable holds the folder just while the library reads it:
// processes the program starts see the user's value, not a folder whose links
// name this process's descriptors. The variable is there already, so the C
// library swaps one pointer, which a thread reading the environment meanwhile
// sees whole, old or new. Under the chosen path's lock.
int applyPath(ChosenPath& chosen, const std::string& folder, const std::optional<std::string>& environment) {
    if (!environmentWins(environment)) {
        swe_set_ephe_path(folder.c_str());
        return 0;
    }
    // Else the library would read the user's folders as they are.
    if (::setenv("SE_EPHE_PATH", folder.c_str(), 1) != 0) return errno;
    swe_set_ephe_path(folder.c_str());
    if (::setenv("SE_EPHE_PATH", environment->c_str(), 1) != 0) chosen.environmentWritten = folder;
    else chosen.environmentWritten.reset();
    return 0;
}

// Hands this thread the data path if it does not have the latest, reading
// SE_EPHE_PATH again as it does, and says why the library must not be asked,
// if it must not: about anything, or (`readingFiles`) about what reads files. A
// refusal whose cause may pass is not kept for a call that reads files: such a
// call gathers again.
const std::optional<Error>& prepareThread(bool readingFiles = true) {
    ThreadPath& thread = threadPath();
    const bool current = thread.applied && thread.gathering == gatheringCount.load(std::memory_order_acquire);
    if (!current || (readingFiles && thread.applied->passing)) {
        auto& chosen = chosenPath();
        const std::lock_guard lock(chosen.mutex);
        auto environment = environmentValue();
        if (environment && environment == chosen.environmentWritten) environment = chosen.environmentSeen;
        if (!chosen.gathered || environment != chosen.environmentSeen || (readingFiles && chosen.gathered->passing))
            install(chosen, gatheredPath(chosen, environment, 0), environment);
        if (!chosen.gathered->refusal) {
            if (const int error = applyPath(chosen, chosen.gathered->libraryFolder(), environment)) {
                static thread_local std::optional<Error> unapplied;
                unapplied = Error{"SE_EPHE_PATH cannot be set: " + platform::system_error::describe(error)};
                return unapplied;
            }
        }
        thread.applied = chosen.gathered;
        thread.gathering = gatheringCount.load(std::memory_order_relaxed);
    }
    const GatheredPath& applied = *thread.applied;
    return applied.refusal || !readingFiles ? applied.refusal : applied.filesRefusal;
}

// Gathers again in the parents after the one that holds `failed`'s private
// folder, unless another gathering took its place meanwhile; why none can be
// made there, if none can.
std::optional<Error> gatherBeyond(const GatheredPath& failed) {
    auto& chosen = chosenPath();
    const std::lock_guard lock(chosen.mutex);
    if (chosen.gathered.get() != &failed) return std::nullopt;
    auto path = gatheredPath(chosen, chosen.environmentSeen, failed.files->parent() + 1);
    if (!path->files) return path->refusal ? path->refusal : path->filesRefusal;
    install(chosen, std::move(path), chosen.environmentSeen);
    return std::nullopt;
}

// The star catalogue this thread's library would read, made ready for it. A
// private folder that takes no copy gives way to one in a later parent, when
// one can be made there; every thread then changes to it.
//
// The library keeps the catalogue a thread read until swe_close, and the last
// star it found, answering that name from it, until it finds another. So a
// thread whose stars are not the latest closes the library, which keeps its
// data path and delta T table (it resets the sidereal mode and topocentric
// place, which the bridge never sets), and places Spica: the library keeps it
// built in for its ayanamsha, so it is found with any catalogue or none.
std::optional<Error> starCatalogueRefusal() {
    for (;;) {
        const std::shared_ptr<GatheredPath> applied = threadPath().applied;
        auto refusal = applied->files->prepareStarCatalogue();
        if (!refusal) break;
        if (!refusal->folderFailed) return Error{std::move(refusal->message)};
        if (auto elsewhere = gatherBeyond(*applied)) return Error{refusal->message + "; " + elsewhere->message};
        if (const auto& refused = prepareThread()) return *refused;
    }
    ThreadPath& thread = threadPath();
    const std::pair latest{thread.gathering, thread.applied->files->catalogueVersion()};
    if (thread.stars && *thread.stars != latest) {
        swe_close();
        char spica[2 * SE_MAX_STNAME] = "Spica";
        double values[6];
        char serr[AS_MAXCH];
        swe_fixstar2(spica, 2451545.0, SEFLG_MOSEPH, values, serr);
    }
    thread.stars = latest;
    return std::nullopt;
}

struct ErrorText {
    char text[AS_MAXCH] = {};
    // The library names the files of the private folder it was given; the
    // caller hears of the files they stand for.
    Error error(const char* fallback) const {
        if (text[0] == '\0') return Error{fallback};
        const auto& applied = threadPath().applied;
        return Error{applied && applied->files ? applied->files->inUserTerms(text) : std::string(text)};
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

// Every call below that may make the library read a file (any that gathers or
// applies the data path) runs it in the C locale (internal/c_locale.h); its
// calendar arithmetic and version read none.

double julianDay(int year, int month, int day, double hour, bool gregorian) {
    return swe_julday(year, month, day, hour, gregorian ? SE_GREG_CAL : SE_JUL_CAL);
}

double deltaT(double julianDayUT) {
    const c_locale::OnThisThread cNumbers;
    if (!covered(julianDayUT) || prepareThread()) return std::numeric_limits<double>::quiet_NaN();
    return swe_deltat(julianDayUT);
}

double deltaT(double julianDayUT, std::int32_t flags) {
    const c_locale::OnThisThread cNumbers;
    if (!covered(julianDayUT) || prepareThread(readsFiles(flags))) return std::numeric_limits<double>::quiet_NaN();
    char serr[AS_MAXCH];   // the library's warnings (a fallback to another model) are not failures
    return swe_deltat_ex(julianDayUT, flags, serr);
}

namespace {

template <class Calculation>
Result<Position> position(double julianDay, std::int32_t flags, Calculation calculation) {
    const c_locale::OnThisThread cNumbers;
    if (auto refused = refusedJulianDay(julianDay)) return *std::move(refused);
    if (const auto& refused = prepareThread(readsFiles(flags))) return *refused;
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
    return position(julianDayUT, flags, [&](double* values, char* serr) {
        return swe_calc_ut(julianDayUT, bodyNumber, flags, values, serr);
    });
}

Result<Position> calculate(double julianDayET, std::int32_t bodyNumber, std::int32_t flags) {
    return position(julianDayET, flags, [&](double* values, char* serr) {
        return swe_calc(julianDayET, bodyNumber, flags, values, serr);
    });
}

Result<StarPosition> fixedStar(std::string_view name, double julianDay, std::int32_t flags) {
    const c_locale::OnThisThread cNumbers;
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
    const c_locale::OnThisThread cNumbers;
    if (auto refused = refusedJulianDay(julianDay)) return *std::move(refused);
    if (const auto& refused = prepareThread(false)) return *refused;
    double value = 0.0;
    ErrorText serr;
    // Without nutation this is, bit for bit, the value of swe_get_ayanamsa, which
    // has no status of its own.
    if (swe_get_ayanamsa_ex(julianDay, SEFLG_NONUT, &value, serr.text) < 0) return serr.error("ayanamsha failed");
    if (!std::isfinite(value)) return Error{"ayanamsha gave no finite result"};
    return value;
}

Result<Houses> houses(double julianDayUT, double latitude, double longitude, char system) {
    const c_locale::OnThisThread cNumbers;
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
    const c_locale::OnThisThread cNumbers;
    if (auto refused = refusedJulianDay(julianDayUT)) return *std::move(refused);
    if (const auto& refused = prepareThread(readsFiles(flags))) return *refused;
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
    const c_locale::OnThisThread cNumbers;
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
    const c_locale::OnThisThread cNumbers;
    if (auto refused = refusedJulianDay(julianDayUT)) return *std::move(refused);
    if (!std::isfinite(longitude)) return notFinite("the longitude");
    if (const auto& refused = prepareThread(readsFiles(flags))) return *refused;
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
    const c_locale::OnThisThread cNumbers;
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
    const c_locale::OnThisThread cNumbers;
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
                   !folder_list::foldersOf(*folder)))
        return false;
    auto& chosen = chosenPath();
    {
        const std::lock_guard lock(chosen.mutex);
        chosen.folder = folder ? std::optional<std::string>(std::string(*folder)) : std::nullopt;
        chosen.gathered.reset();
        pathGeneration.fetch_add(1, std::memory_order_release);
        gatheringCount.fetch_add(1, std::memory_order_release);
    }
    const c_locale::OnThisThread cNumbers;
    static_cast<void>(prepareThread());
    return true;
}

void removeLeftoverFolders() { EphemerisDataFiles::removeLeftoverFolders(); }

std::uint64_t ephemerisGeneration() noexcept { return pathGeneration.load(std::memory_order_acquire); }

std::string_view installedEphemerisPath() {
    // The library's default list without the entries that name the current folder.
    static const std::string folders = [] {
        std::string kept;
        const std::string_view list = SE_EPHE_PATH;
        for (std::size_t start = 0; start <= list.size();) {
            const std::size_t end = std::min(list.find_first_of(folder_list::separators, start), list.size());
            const std::string_view entry = list.substr(start, end - start);
            if (!entry.empty() && entry.front() == '/') {
                if (!kept.empty()) kept += ':';
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
