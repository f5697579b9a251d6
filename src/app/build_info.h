#pragma once
// What the build records about this program (written by CMake into build_info.cpp),
// taken from the project's version MAJOR.MINOR.PATCH.

#include <string_view>

namespace app {

extern const std::string_view buildShortVersion;   // MAJOR.MINOR: "1.0"
extern const std::string_view buildNumber;         // PATCH: "0"

} // namespace app
