#include "platform/core/internal/ephemeris_folder_list.h"

namespace swisseph::folder_list {

platform::Expected<std::vector<std::string_view>, Fault> foldersOf(std::string_view list) {
    if (list.find_first_of("\n\r") != std::string_view::npos) return Fault::readOtherwise;
    std::vector<std::string_view> folders;
    for (std::size_t start = 0;;) {
        const std::size_t end = list.find_first_of(separators, start);
        const std::string_view entry = list.substr(start, end == std::string_view::npos ? end : end - start);
        // A twenty-first entry would be read as part of the twentieth.
        if (folders.size() == mostFolders) return Fault::readOtherwise;
        if (entry.empty() || entry.front() != '/') return Fault::relative;
        folders.push_back(entry);
        if (end == std::string_view::npos) return folders;
        start = end + 1;
    }
}

} // namespace swisseph::folder_list
