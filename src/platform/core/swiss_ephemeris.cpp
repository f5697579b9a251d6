// The one file that includes the Swiss Ephemeris library's header.
#include "platform/core/swiss_ephemeris.h"

#include <swephexp.h>

#include <cstring>

namespace swisseph {
namespace {

// The library reads its data path lazily and per thread when built with
// thread-local storage; a fixed-star lookup on a thread that never set it fails.
// Setting the default once per thread before any call avoids that.
void prepareThread() {
    thread_local bool prepared = false;
    if (!prepared) {
        swe_set_ephe_path(nullptr);
        prepared = true;
    }
}

struct ErrorText {
    char text[AS_MAXCH] = {};
    Error error(const char* fallback) const {
        return Error{text[0] != '\0' ? std::string(text) : std::string(fallback)};
    }
};

} // namespace

double julianDay(int year, int month, int day, double hour, bool gregorian) {
    return swe_julday(year, month, day, hour, gregorian ? SE_GREG_CAL : SE_JUL_CAL);
}

double deltaT(double julianDayUT) {
    prepareThread();
    return swe_deltat(julianDayUT);
}

Result<Position> calculateUT(double julianDayUT, std::int32_t bodyNumber, std::int32_t flags) {
    prepareThread();
    Position result;
    ErrorText serr;
    const std::int32_t used = swe_calc_ut(julianDayUT, bodyNumber, flags, result.values.data(), serr.text);
    if (used < 0) return serr.error("position calculation failed");
    result.flagsUsed = used;
    return result;
}

Result<StarPosition> fixedStar(std::string_view name, double julianDay, std::int32_t flags) {
    prepareThread();
    // The library writes "traditional,nomenclature" back into the buffer.
    char star[SE_MAX_STNAME + 1] = {};
    if (name.size() >= sizeof star) return Error{"fixed star name is too long"};
    std::memcpy(star, name.data(), name.size());
    StarPosition result;
    ErrorText serr;
    const std::int32_t used = swe_fixstar2(star, julianDay, flags, result.position.values.data(), serr.text);
    if (used < 0) return serr.error("fixed star not found");
    result.position.flagsUsed = used;
    result.name = star;
    return result;
}

Result<double> ayanamsha(double julianDay) {
    prepareThread();
    double value = 0.0;
    ErrorText serr;
    if (swe_get_ayanamsa_ex(julianDay, 0, &value, serr.text) < 0) return serr.error("ayanamsha failed");
    return value;
}

Result<double> ayanamshaUT(double julianDayUT) {
    prepareThread();
    double value = 0.0;
    ErrorText serr;
    if (swe_get_ayanamsa_ex_ut(julianDayUT, 0, &value, serr.text) < 0) return serr.error("ayanamsha failed");
    return value;
}

Result<Houses> houses(double julianDayUT, double latitude, double longitude, char system) {
    prepareThread();
    Houses result;
    // Gauquelin sectors fill 36 cusps; every other system 12.
    double cusps[37] = {};
    const int status = swe_houses(julianDayUT, latitude, longitude, system, cusps, result.ascmc.data());
    if (status < 0) return Error{"house calculation failed"};
    result.cuspCount = system == 'G' ? 36 : 12;
    for (int i = 0; i <= 12; ++i) result.cusps[static_cast<std::size_t>(i)] = cusps[i];
    // The library reports its Porphyry fallback only through the return value.
    result.fellBack = status == ERR;
    return result;
}

Result<std::array<double, 20>> phenomenaUT(double julianDayUT, std::int32_t bodyNumber, std::int32_t flags) {
    prepareThread();
    std::array<double, 20> attributes{};
    ErrorText serr;
    if (swe_pheno_ut(julianDayUT, bodyNumber, flags, attributes.data(), serr.text) < 0)
        return serr.error("phenomena calculation failed");
    return attributes;
}

Result<std::optional<double>> riseOrSet(double julianDayUT, std::int32_t bodyNumber, bool rise,
                                        double longitude, double latitude, double altitude) {
    prepareThread();
    double geopos[3] = {longitude, latitude, altitude};
    double when = 0.0;
    ErrorText serr;
    const std::int32_t status = swe_rise_trans(julianDayUT, bodyNumber, nullptr, SEFLG_SWIEPH,
                                               rise ? SE_CALC_RISE : SE_CALC_SET, geopos, 0.0, 0.0,
                                               &when, serr.text);
    if (status < 0) return serr.error("rise or set calculation failed");
    if (status == -2 || status == 1) return std::optional<double>{};   // circumpolar: no event
    return std::optional<double>{when};
}

Result<double> solarCrossingUT(double longitude, double julianDayUT, std::int32_t flags) {
    prepareThread();
    ErrorText serr;
    const double when = swe_solcross_ut(longitude, julianDayUT, flags, serr.text);
    if (when < julianDayUT) return serr.error("solar crossing not found");
    return when;
}

bool setEphemerisPath(std::string_view folder) {
    if (folder.size() >= AS_MAXCH - 1) return false;
    const std::string copy(folder);
    swe_set_ephe_path(copy.c_str());
    return true;
}

std::string_view defaultEphemerisPath() noexcept { return SE_EPHE_PATH; }

std::string version() {
    char text[AS_MAXCH] = {};
    swe_version(text);
    return text;
}

} // namespace swisseph
