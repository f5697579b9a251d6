#include "platform/core/internal/star_catalogue.h"

#include <algorithm>

namespace swisseph::star_catalogue {
namespace {

constexpr std::size_t longestLine = 255;   // the library's line buffer less its NUL
constexpr std::ptrdiff_t fieldsOfAStar = 14;

} // namespace

std::optional<std::string> damage(std::string_view text) {
    bool anyStar = false;
    std::size_t number = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        const std::string where = "line " + std::to_string(++number);
        if (line.size() > longestLine) return where + " is longer than 255 bytes";
        if (line.find('\0') != std::string_view::npos) return where + " holds a NUL byte";
        const std::string_view read = line.substr(0, line.find('\r'));
        if (read.empty() || read.front() == '#') continue;
        std::ptrdiff_t field = 0;
        for (std::size_t from = 0;; ++field) {
            const std::size_t comma = read.find(',', from);
            if (field > 0 && field < fieldsOfAStar && (comma == from || from == read.size()))
                return where + " has an empty field where a star needs a value";
            if (comma == std::string_view::npos) break;
            from = comma + 1;
        }
        if (field + 1 < fieldsOfAStar) return where + " has fewer than the 14 fields of a star";
        anyStar = true;
    }
    if (!anyStar) return "it holds no star";
    return std::nullopt;
}

} // namespace swisseph::star_catalogue
