#pragma once
// Instants written as UTC calendar fields, worked out without the program's own
// calendar, and a scratch folder that is removed again.

#include "platform/core/date.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace ephemeris_test {

inline platform::Date utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    using namespace std::chrono;
    const sys_days days = std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} /
                          std::chrono::day{static_cast<unsigned>(day)};
    const double seconds = static_cast<double>(days.time_since_epoch().count()) * 86400.0 + hour * 3600.0 +
                           minute * 60.0 + second;
    return platform::Date::fromSecondsSince1970(seconds);
}

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
