// The program's translations: a key comes back as itself where no catalogue
// translates it, and a message catalogue's translation where one does. Its own
// process, because the C library's message locale is set for the whole of it.

#include "platform/core/localized_strings.h"
#include "support/message_catalogue.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using platform::localizedString;

TEST(LocalizedStrings, KeysWithoutATranslationComeBackByteForByte) {
    EXPECT_EQ(localizedString("Только что"), "Только что");
    EXPECT_EQ(localizedString("%.f секунд назад"), "%.f секунд назад");
    EXPECT_EQ(localizedString(""), "");
    EXPECT_EQ(localizedString(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(LocalizedStrings, TranslationsComeFromTheCatalogueOfTheLanguage) {
    const std::filesystem::path folder = std::filesystem::current_path() / "catalogues";
    testsupport::writeMessageCatalogue(folder / "en" / "LC_MESSAGES" / "vadididod.mo",
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
