#pragma once
// Message catalogues (the C library's binary .mo format) written by tests, so
// that a translation lookup has something to find.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// Writes `file` (and the folders above it) with `entries`, original text to
// translation, declared as UTF-8.
void writeMessageCatalogue(const std::filesystem::path& file, std::vector<std::pair<std::string, std::string>> entries);

} // namespace testsupport
