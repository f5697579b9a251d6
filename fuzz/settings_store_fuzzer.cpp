// The settings store file, which the user (or anything running as the user)
// can write: the program loads it at start, through the store's own load path,
// and must come out with sixteen usable preferences whatever the file holds.
//
// The store lives under XDG_CONFIG_HOME, pointed here at a folder of this run's
// own before Qt first asks for it.

#include "app/settings_store.h"
#include "app/user_settings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::filesystem::path configFolder;

void clearFolder(const std::filesystem::path& folder) {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
        std::filesystem::remove_all(entry.path(), ignored);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    configFolder = std::filesystem::temp_directory_path() / ("vadididod-settings-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(configFolder);
    ::setenv("XDG_CONFIG_HOME", configFolder.c_str(), 1);
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(configFolder, ignored);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path storeFile = app::settingsStorePath().toStdString();
    static long long generation = 0;

    clearFolder(storeFile.parent_path());
    std::filesystem::create_directories(storeFile.parent_path());
    {
        std::ofstream file(storeFile, std::ios::binary);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    // Qt keeps a parsed file as long as its size and time stamp stay the same;
    // a new time stamp each round makes it read every input afresh.
    ++generation;
    const struct timespec stamps[2] = {{generation, 0}, {generation, 0}};
    ::utimensat(AT_FDCWD, storeFile.c_str(), stamps, 0);

    const app::UserSettings settings;
    static_cast<void>(settings.theme());
    static_cast<void>(settings.notifyTimeOfDay());
    static_cast<void>(settings.coordsLat());
    return 0;
}
