#include "support/message_catalogue.h"

#include <algorithm>
#include <cstdint>
#include <fstream>

namespace testsupport {

// The header, the original and translated string tables (originals sorted, as
// the C library searches them by halves), then the texts.
void writeMessageCatalogue(const std::filesystem::path& file, std::vector<std::pair<std::string, std::string>> entries) {
    entries.emplace_back("", "Content-Type: text/plain; charset=UTF-8\n");
    std::sort(entries.begin(), entries.end());
    const auto count = static_cast<std::uint32_t>(entries.size());
    std::vector<std::uint32_t> words = {0x950412de, 0, count, 28, 28 + 8 * count, 0, 28 + 16 * count};
    std::string texts;
    const std::uint32_t textStart = 28 + 16 * count;
    std::vector<std::uint32_t> originals;
    std::vector<std::uint32_t> translations;
    for (const auto& [key, value] : entries) {
        originals.push_back(static_cast<std::uint32_t>(key.size()));
        originals.push_back(textStart + static_cast<std::uint32_t>(texts.size()));
        texts += key;
        texts += '\0';
    }
    for (const auto& [key, value] : entries) {
        translations.push_back(static_cast<std::uint32_t>(value.size()));
        translations.push_back(textStart + static_cast<std::uint32_t>(texts.size()));
        texts += value;
        texts += '\0';
    }
    words.insert(words.end(), originals.begin(), originals.end());
    words.insert(words.end(), translations.begin(), translations.end());
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(words.data()), static_cast<std::streamsize>(words.size() * 4));
    out.write(texts.data(), static_cast<std::streamsize>(texts.size()));
}

} // namespace testsupport
