#include "ephemeris/resources.h"

#include "platform/core/swiss_ephemeris.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <system_error>

namespace ephemeris {
namespace {

std::optional<std::filesystem::path> programFolder() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return std::nullopt;
    return program.parent_path();
}

// The folder of the executable or shared library that holds this function.
std::optional<std::filesystem::path> codeFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&codeFolder), &info) == 0 || info.dli_fname == nullptr) return std::nullopt;
    std::error_code error;
    const auto binary = std::filesystem::canonical(info.dli_fname, error);
    if (error) return std::nullopt;
    return binary.parent_path();
}

} // namespace

std::vector<std::filesystem::path> ResourceBundle::candidateFolders() {
    std::vector<std::filesystem::path> folders;
    const auto add = [&folders](std::optional<std::filesystem::path> folder) {
        if (folder && std::find(folders.begin(), folders.end(), *folder) == folders.end())
            folders.push_back(std::move(*folder));
    };
    if (const char* variable = std::getenv("PACKAGE_RESOURCE_BUNDLE_URL"); variable && *variable)
        add(std::filesystem::path(variable));
    add(programFolder());
    add(codeFolder());
    return folders;
}

Expected<ResourceBundle> ResourceBundle::find(const std::vector<std::filesystem::path>& candidates) {
    for (const auto& folder : candidates) {
        auto bundle = folder / (std::string(bundleName) + ".bundle");
        std::error_code error;
        if (std::filesystem::is_directory(bundle, error)) return ResourceBundle(std::move(bundle));
    }
    return Error{std::string("unable to find bundle named ") + bundleName};
}

const Expected<ResourceBundle>& ResourceBundle::module() {
    static const Expected<ResourceBundle> bundle = find(candidateFolders());
    return bundle;
}

const std::optional<std::string>& EphemerisDataPath::resourcePath() {
    static const std::optional<std::string> path = [] {
        const auto& bundle = ResourceBundle::module();
        return bundle ? std::optional<std::string>(bundle->resourcePath().string()) : std::nullopt;
    }();
    return path;
}

bool EphemerisDataPath::setEphemerisPath(const std::optional<std::string>& path) {
    return swisseph::setEphemerisPath(path ? std::optional<std::string_view>(*path) : std::nullopt);
}

} // namespace ephemeris
