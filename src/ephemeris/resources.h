#pragma once
// The ephemeris package's own resource folder (a bundle named
// "Ephemeris_Ephemeris.bundle", meant for ephemeris data files) and the folder in
// which the library looks for data files.
//
// Nothing in the program points the library at the bundle: unless
// setEphemerisPath is called, the library searches the installed data files'
// folders (its variable SE_EPHE_PATH overrides both), never the current folder.

#include "ephemeris/expected.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ephemeris {

class ResourceBundle {
public:
    static constexpr const char* bundleName = "Ephemeris_Ephemeris";

    // The package's bundle, searched for on first use and kept for the process's
    // life; the error "unable to find bundle named Ephemeris_Ephemeris" when no
    // candidate folder holds it.
    static const Expected<ResourceBundle>& module();

    // The folders searched, in order: the one named by the environment variable
    // PACKAGE_RESOURCE_BUNDLE_URL (taken as a path), then the folder of the program
    // and the folder of the binary holding this code (one and the same when the
    // layer is linked statically).
    static std::vector<std::filesystem::path> candidateFolders();

    // The first candidate holding a folder "Ephemeris_Ephemeris.bundle".
    static Expected<ResourceBundle> find(const std::vector<std::filesystem::path>& candidates);

    const std::filesystem::path& bundlePath() const noexcept { return path_; }
    // The bundle keeps its resources at its top level.
    const std::filesystem::path& resourcePath() const noexcept { return path_; }

private:
    explicit ResourceBundle(std::filesystem::path path) : path_(std::move(path)) {}
    std::filesystem::path path_;
};

// The folder in which the library looks for its data files.
class EphemerisDataPath {
public:
    // The bundle's resource folder, found on first use; absent without a bundle.
    static const std::optional<std::string>& resourcePath();

    // Hands the library the folder (its UTF-8 bytes unchanged) in which to look
    // for data files, on every thread, or the installed data for std::nullopt.
    // Refused (false, nothing changed) for a folder that the library would
    // silently ignore (longer than 242 bytes, or holding a NUL byte), read
    // against the current folder (an empty or relative entry of the list) or
    // otherwise than it is written (a line break, more than 20 folders).
    [[nodiscard]] static bool setEphemerisPath(const std::optional<std::string>& path);
};

} // namespace ephemeris
