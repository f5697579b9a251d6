#pragma once
// glibc's reading of the system's zone files, the independent oracle of the zone
// tests: offsets and clock changes, and from them the first moment of a local day
// and the instant of a local wall time under the calendar's rules.

#include <time.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace zone_oracle {

// Sets TZ (and TZDIR, when given) for the life of the object, and has glibc read them.
class GlibcZone {
public:
    explicit GlibcZone(const std::string& name, const char* tzdir = nullptr) {
        if (const char* old = std::getenv("TZ")) oldTz_ = old;
        if (const char* old = std::getenv("TZDIR")) oldTzdir_ = old;
        ::setenv("TZ", name.c_str(), 1);
        if (tzdir) ::setenv("TZDIR", tzdir, 1);
        ::tzset();
    }
    ~GlibcZone() {
        restore("TZ", oldTz_);
        restore("TZDIR", oldTzdir_);
        ::tzset();
    }
    GlibcZone(const GlibcZone&) = delete;
    GlibcZone& operator=(const GlibcZone&) = delete;

    int offset(std::int64_t t) const { return static_cast<int>(local(t).tm_gmtoff); }
    bool isDaylightSaving(std::int64_t t) const { return local(t).tm_isdst > 0; }

    // The instants in [from, to) at which the offset changes (each the first second
    // of the new offset), found by a scan every `step` seconds and bisection.
    std::vector<std::int64_t> changes(std::int64_t from, std::int64_t to, std::int64_t step = 6 * 3600) const {
        std::vector<std::int64_t> found;
        std::int64_t t = from;
        int before = offset(t);
        while (t < to) {
            const std::int64_t next = std::min(t + step, to);
            if (offset(next) == before) {
                t = next;
                continue;
            }
            std::int64_t low = t;      // offset(low) == before
            std::int64_t high = next;  // offset(high) != before
            while (high - low > 1) {
                const std::int64_t middle = low + (high - low) / 2;
                (offset(middle) == before ? low : high) = middle;
            }
            found.push_back(high);
            t = high;
            before = offset(high);
        }
        return found;
    }

private:
    static void restore(const char* name, const std::optional<std::string>& value) {
        if (value) {
            ::setenv(name, value->c_str(), 1);
        } else {
            ::unsetenv(name);
        }
    }
    static struct tm local(std::int64_t t) {
        const time_t instant = static_cast<time_t>(t);
        struct tm fields {};
        ::localtime_r(&instant, &fields);
        return fields;
    }

    std::optional<std::string> oldTz_;
    std::optional<std::string> oldTzdir_;
};

inline constexpr std::int64_t beyondAnyChange = std::numeric_limits<std::int64_t>::max() / 4;

// A stretch of constant offset between two consecutive changes.
struct Stretch {
    std::int64_t start = -beyondAnyChange;
    std::int64_t end = beyondAnyChange;
    int offset = 0;
};

inline std::vector<Stretch> stretchesOf(const GlibcZone& zone, const std::vector<std::int64_t>& changes) {
    std::vector<Stretch> result;
    std::int64_t start = -beyondAnyChange;
    for (std::int64_t change : changes) {
        result.push_back({start, change, zone.offset(change - 1)});
        start = change;
    }
    result.push_back({start, beyondAnyChange, zone.offset(changes.empty() ? 0 : changes.back())});
    return result;
}

inline std::int64_t floorDivide(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

// The earliest instant whose local date is `localDay` (days since 1970, local).
inline std::int64_t startOfLocalDay(const std::vector<Stretch>& stretches, std::int64_t localDay) {
    std::int64_t best = beyondAnyChange;
    for (const Stretch& s : stretches) {
        const std::int64_t candidate = std::max(s.start, localDay * 86400 - s.offset);
        if (candidate >= s.end) continue;
        if (floorDivide(candidate + s.offset, 86400) != localDay) continue;
        best = std::min(best, candidate);
    }
    return best;
}

// The instant of a local wall time (seconds since 1970, local): a repeated wall
// time is its first occurrence, a skipped one moves forward by the gap (it is read
// with the offset before the change).
inline std::int64_t instantOfWallTime(const std::vector<Stretch>& stretches, std::int64_t wall) {
    for (const Stretch& s : stretches) {
        const std::int64_t candidate = wall - s.offset;
        if (candidate >= s.start && candidate < s.end) return candidate;   // stretches are in time order
    }
    for (std::size_t i = 0; i + 1 < stretches.size(); ++i) {
        const std::int64_t change = stretches[i].end;
        if (wall >= change + stretches[i].offset && wall < change + stretches[i + 1].offset) {
            return wall - stretches[i].offset;
        }
    }
    return beyondAnyChange;
}

} // namespace zone_oracle
