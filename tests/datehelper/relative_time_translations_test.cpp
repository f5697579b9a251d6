// Relative-time phrases where the program has translations: the defaults go
// through the translation lookup, and a caller's own phrases do not. Its own
// process, because the C library's message locale is set for the whole of it.

#include "datehelper/relative_time.h"
#include "platform/core/localized_strings.h"
#include "support/dates.h"
#include "support/message_catalogue.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>

using namespace datehelper;
using platform::Date;
using Key = RelativeTimeStringType;

TEST(RelativeTimeTranslations, DefaultPhrasesAreLookedUpCallersPhrasesAreNot) {
    const std::filesystem::path folder = std::filesystem::current_path() / "catalogues";
    testsupport::writeMessageCatalogue(folder / "en" / "LC_MESSAGES" / "vadididod.mo",
                                       {{"Только что", "Just now"},
                                        {"%.f минут назад", "%.f minutes ago"},
                                        {"в течении часа", "in an hour"}});
    platform::setLocalizedStringsDirectory(folder.string());
    ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
    ::setenv("LANGUAGE", "en", 1);

    const Date now = testsupport::utc(2024, 5, 15, 12);
    auto ago = [&](double seconds, const std::optional<RelativeTimeStrings>& strings = std::nullopt) {
        return toStringWithRelativeTime(now.addingTimeInterval(-seconds), strings, now);
    };
    EXPECT_EQ(ago(5), "Just now");
    EXPECT_EQ(ago(300), "5 minutes ago");            // the count goes into the translation
    EXPECT_EQ(ago(-3600), "in an hour");
    EXPECT_EQ(ago(3 * 3600), "3 часов назад");        // no translation: the default itself
    EXPECT_EQ(ago(300, RelativeTimeStrings{{Key::minutesPast, "%.f min"}}), "5 min");
    const RelativeTimeStrings ownDefault{{Key::minutesPast, "%.f минут назад"}};
    EXPECT_EQ(ago(300, ownDefault), "5 минут назад");

    ::unsetenv("LANGUAGE");
    std::setlocale(LC_ALL, "C");
}
