#pragma once
// The program's console: one line of text on standard output, written at once.
// There is no log file and there are no levels.

#include <string_view>

namespace app {

void print(std::string_view line);

} // namespace app
