#pragma once
// Private bridge between the platform date layer and ICU: text conversion, the
// instants ICU can represent, the registry of time-zone objects and the pool of
// Gregorian calendars. Not for use outside src/platform/core.
//
// Building a time zone from its file (a few hundred microseconds) or a
// GregorianCalendar for a locale (tens of microseconds) is slow, and every calendar step of the program asks
// for the current calendar afresh. So zones are built once per identifier and
// calendars once per (zone, locale) pair, and each thread keeps idle calendars
// for reuse. The keys are the identifiers themselves, so a change of the current
// zone or locale picks a different calendar at the very next call.

#include "platform/core/date.h"
#include "platform/core/internal/file_version.h"
#include "platform/core/locale.h"
#include "platform/core/time_zone.h"

#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/ucal.h>
#include <unicode/unistr.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform::icu_support {

// Instants farther than this from 1970 (about 950,000 years) are outside the
// calendar's range. ICU itself reaches further, but clamps rather than fails at
// its limits and computes Julian day numbers in 32 bits; keeping well inside
// leaves room for every intermediate value.
inline constexpr double limitSeconds = 3.0e13;
inline constexpr double limitDays = limitSeconds / 86400.0;

inline bool isRepresentable(Date date) noexcept {
    const double s = date.secondsSince1970();
    return std::isfinite(s) && std::fabs(s) <= limitSeconds;
}
inline bool isRepresentableSeconds(double seconds) noexcept {
    return std::isfinite(seconds) && std::fabs(seconds) <= limitSeconds;
}

// ICU's names for the resolution of a wall time that a clock change skips read
// oddly: LAST reads it with the offset before the change, which moves it forward
// by the gap; FIRST moves it back by the gap; NEXT_VALID gives the gap's end.
inline constexpr UCalendarWallTimeOption skippedMovesForward = UCAL_WALLTIME_LAST;
inline constexpr UCalendarWallTimeOption skippedMovesBack = UCAL_WALLTIME_FIRST;
inline constexpr UCalendarWallTimeOption skippedToGapEnd = UCAL_WALLTIME_NEXT_VALID;

// ICU counts milliseconds and reads the whole one below a fraction, while a
// whole millisecond as seconds (fromUDate) is often a double a hair below it:
// 2004-03-09 16:05:07.120 times 1000 gives ...119.99. The seconds that stand
// for a whole millisecond therefore go to ICU as that millisecond, so a date
// read from text writes the same text. So do the instants a hair before 1970
// (less than 1e-19 seconds) whose fraction of a millisecond, taken from the
// whole one below, is a double that rounds to 1: ICU placed them in the day
// before with the wall time of midnight, and no step from them worked.
inline UDate toUDate(Date date) noexcept {
    const double millis = date.secondsSince1970() * 1000.0;
    const double whole = std::nearbyint(millis);
    if (whole / 1000.0 == date.secondsSince1970()) return whole;
    return millis - std::floor(millis) == 1.0 ? std::ceil(millis) : millis;
}
inline Date fromUDate(UDate millis) noexcept { return Date::fromSecondsSince1970(millis / 1000.0); }

icu::UnicodeString fromUtf8(std::string_view text);
std::string toUtf8(const icu::UnicodeString& text);

// The ICU locale of an identifier ("en_GB", also BCP 47 "en-GB").
icu::Locale icuLocale(const std::string& identifier);

// The shared, immutable zone object of an identifier: a fixed offset by its
// name below, a POSIX string with a yearly rule ("EST5EDT,M3.2.0,M11.1.0"), a
// version of a zone file outside the zone folder (see fileZoneIdentifier), or
// a zone built from the system's tz database where its file reads well (see
// system_zone_data.h), else ICU's own; nullptr when none knows the identifier.
// Each identifier is looked up once per process. Const ICU zone operations are
// safe from any thread.
std::shared_ptr<const icu::TimeZone> zoneNamed(std::string_view identifier);

// A zone file outside the zone folder can change while the program runs, and
// every cache of zones, calendars and formats trusts an identifier to stand for
// one set of rules for the whole run. So such a file's zone is kept by the
// file's version (file_version.h), one version per file: the first version
// read is named by the file's resolved path ("/etc/localtime"), each later one
// by the path, "//" and a number no other version took ("/etc/localtime//7";
// a resolved path never holds "//"), however often the file changes. The
// zone of the version before joins the other zones kept by identifier, so a
// TimeZone made from it keeps its rules until that registry, full at 2048
// zones, is emptied; from then on, as for a file whose zone was dropped when
// keptZoneFileLimit files had been read, its identifier names no zone. A bare
// path given to zoneNamed is the file's first version: read then if no
// version of it is kept yet.
inline constexpr std::size_t keptZoneFileLimit = 2048;

// The identifier of the zone of the file at `realPath` in `version`, whose
// contents are `bytes`; std::nullopt where they are no zone file ICU can carry.
std::optional<std::string> fileZoneIdentifier(const std::string& realPath, const FileVersion& version,
                                              std::string_view bytes);
// The same for the file as it is now: one stat while its version is the one
// kept, else read (a regular file of at most tzif::maxFileSize bytes, without
// blocking).
std::optional<std::string> fileZoneIdentifier(const std::string& realPath);

// The identifier TimeZone uses for a fixed offset: "GMT", "GMT+0100", "GMT-0330",
// with seconds appended when the offset has them ("GMT+013015").
std::string fixedOffsetIdentifier(int secondsFromGMT);

// Whether an identifier is one ICU reads as an offset from GMT rather than as a
// zone of its data: our fixed-offset names and ICU's own ("GMT+3", "GMT-03:30"),
// signed east of Greenwich positive, the opposite of a POSIX TZ value's sign.
bool readsAsOffsetFromGmt(std::string_view identifier);

// Exclusive use of a lenient Gregorian calendar in a zone and a locale, with the
// program's wall-time rules: a repeated wall time is its first occurrence and a
// skipped one moves forward by the gap. The holder may change the calendar's
// fields and wall-time options; options are reset when the lease ends.
class CalendarLease {
public:
    CalendarLease(const TimeZone& zone, const Locale& locale);
    ~CalendarLease();
    CalendarLease(const CalendarLease&) = delete;
    CalendarLease& operator=(const CalendarLease&) = delete;

    icu::GregorianCalendar& operator*() const noexcept { return *calendar_; }
    icu::GregorianCalendar* operator->() const noexcept { return calendar_.get(); }

private:
    std::string key_;
    std::unique_ptr<icu::GregorianCalendar> calendar_;
};

} // namespace platform::icu_support
