#pragma once
// Measuring UTF-8 texts in tests.

#include <cstddef>
#include <string_view>

namespace testsupport {

// The number of Unicode code points, which is how the program's fixed texts
// are measured (a symbol followed by its variation selector counts as two).
constexpr std::size_t codePoints(std::string_view text) {
    std::size_t count = 0;
    for (unsigned char c : text)
        count += (c & 0xC0) != 0x80;
    return count;
}

} // namespace testsupport
