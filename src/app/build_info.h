#pragma once
// What the build records about this program (written by CMake into build_info.cpp).

#include <string_view>

namespace app {

extern const std::string_view BuildShortVersion;   // "1.0"
extern const std::string_view BuildNumber;         // "1"; empty when the build gave none

} // namespace app
