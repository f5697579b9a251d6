#pragma once
// The zone of a copy of a zone file where the system's link would be (a regular
// /etc/localtime, as containers and some systems keep it), read as the C library
// reads it with TZ unset: by the file's own rules. Private to src/platform/core.
//
// Only a regular file of at most tzif::maxFileSize bytes is read, without
// blocking; anything else, and a file that is no zone file, is UTC, as the C
// library reads a file it cannot read as one.
//
// The file is named by its zone's name where the path, its links resolved,
// leads into the zone folder, as in TZ; else by the zone a name file
// (/etc/timezone, "Europe/London") names, where that zone's file in the zone
// folder holds the very same bytes; else by its resolved path
// ("/etc/localtime"), as a TZ naming a copy is: each version of the copy read
// is a zone of its own, however often it changes (see
// icu_support::fileZoneIdentifier: a later one is "/etc/localtime//7").

#include "platform/core/internal/file_version.h"
#include "platform/core/time_zone.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform::system_zone_copy {

inline constexpr const char* systemZoneNameFile = "/etc/timezone";
// A zone name is at most 64 characters: a longer file names none.
inline constexpr std::size_t maxNameFileSize = 256;

// The zone the name file at `namePath` names (trailing white space aside),
// where the zone folder's file of that name holds exactly `bytes`.
std::optional<TimeZone> confirmedZone(const std::string& namePath, std::string_view bytes);

// Follows the file at a path. Not thread-safe.
class Reader {
public:
    Reader(std::string path, std::string namePath) : path_(std::move(path)), namePath_(std::move(namePath)) {}

    // The zone of the file as it is now. One stat while the file's version
    // (device, inode, size, times) is the one last read; the file, and the name
    // file with it, are read again when it changed.
    TimeZone zone();

private:
    TimeZone zoneOf(const VersionedContents& file);

    std::string path_;
    std::string namePath_;
    std::optional<FileVersion> version_;   // the version last read, whose zone zone_ is
    TimeZone zone_ = TimeZone::utc();
};

} // namespace platform::system_zone_copy
