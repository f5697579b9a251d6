#include "platform/core/internal/delta_t_table.h"

#include "platform/core/internal/c_locale.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <stdlib.h>

namespace swisseph::delta_t_table {
namespace {

constexpr std::size_t longestLine = 255;   // the library's line buffer less its NUL
constexpr std::size_t yearDigits = 4;      // where the library starts reading the value

} // namespace

platform::Expected<std::string, Damage> soundCopy(std::string_view text) {
    std::string copy;
    bool unsafe = false;
    for (std::size_t start = 0; start < text.size();) {
        const std::string_view piece = text.substr(start, longestLine);
        const std::size_t feed = piece.find('\n');
        const std::size_t length = feed == std::string_view::npos ? piece.size() : feed + 1;
        start += length;
        // What the library's string functions see of it.
        const std::string line(piece.substr(0, std::min(length, piece.find('\0'))));
        const std::size_t first = line.find_first_not_of(" \t");
        if (first != std::string::npos && (line[first] == '\n' || line[first] == '#')) continue;
        // atoi is strtol narrowed to int; a year of at least four digits leaves
        // the value's first byte within the line. Both read as the library
        // reads them, in the C locale, whatever the process's: "100,5" is 100.
        const locale_t c = c_locale::object();
        const int year =
            first == std::string::npos ? 0 : static_cast<int>(::strtol_l(line.c_str() + first, nullptr, 10, c));
        if (year > lastYear) continue;
        const double seconds = year >= firstYear && first + yearDigits <= line.size()
                                   ? ::strtod_l(line.c_str() + first + yearDigits, nullptr, c)
                                   : std::nan("");
        if (!(std::abs(seconds) <= largestSeconds)) {
            unsafe = true;
            continue;
        }
        char value[32];
        const auto written = std::to_chars(value, value + sizeof value, seconds);
        copy += std::to_string(year);
        copy += ' ';
        copy.append(value, written.ptr);
        copy += '\n';
        if (copy.size() > largest) return Damage{"its years would make a table larger than 1 MiB"};
    }
    if (copy.empty() && unsafe)
        return Damage{"it holds no year from 1620 to 2128 with a delta T within a million seconds"};
    return copy;
}

} // namespace swisseph::delta_t_table
