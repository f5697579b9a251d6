#pragma once
// Instants written as UTC calendar fields, worked out without the program's own
// calendar, and a scratch folder that is removed again.

#include "support/dates.h"

#include <filesystem>
#include <string>
#include <unistd.h>

namespace ephemeris_test {

// Instants from UTC fields, shared with the other folders' tests.
using testsupport::utc;

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name)
        : path_(std::filesystem::temp_directory_path() /
                ("vadididod-ephemeris-" + std::to_string(::getpid()) + "-" + name)) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace ephemeris_test
