// The program's translations: a key comes back as itself where no catalogue
// translates it, and a message catalogue's translation where one does. Its own
// process, because the C library's message locale is set for the whole of it.

#include "platform/core/localized_strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using platform::localizedString;

// A message catalogue in the C library's binary format: the header, the
// original and translated string tables (originals sorted), then the texts.
void writeCatalogue(const std::filesystem::path& file, std::vector<std::pair<std::string, std::string>> entries) {
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

TEST(LocalizedStrings, KeysWithoutATranslationComeBackByteForByte) {
    EXPECT_EQ(localizedString("Только что"), "Только что");
    EXPECT_EQ(localizedString("%.f секунд назад"), "%.f секунд назад");
    EXPECT_EQ(localizedString(""), "");
    EXPECT_EQ(localizedString(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(LocalizedStrings, TranslationsComeFromTheCatalogueOfTheLanguage) {
    const std::filesystem::path folder = std::filesystem::current_path() / "catalogues";
    writeCatalogue(folder / "en" / "LC_MESSAGES" / "vadididod.mo",
                   {{"Только что", "Just now"}, {"%.f минут назад", "%.f minutes ago"}});
    platform::setLocalizedStringsDirectory(folder.string());
    ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
    // German first: the C library remembers translations it has found.
    ::setenv("LANGUAGE", "de", 1);   // no catalogue for German
    EXPECT_EQ(localizedString("Только что"), "Только что");
    ::setenv("LANGUAGE", "en", 1);
    EXPECT_EQ(localizedString("Только что"), "Just now");
    EXPECT_EQ(localizedString("%.f минут назад"), "%.f minutes ago");
    EXPECT_EQ(localizedString("вчера"), "вчера");   // not in the catalogue
    ::unsetenv("LANGUAGE");
    std::setlocale(LC_ALL, "C");
}

} // namespace
