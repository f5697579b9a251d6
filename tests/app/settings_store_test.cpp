// The store file's text: what counts as such a file and what does not, and
// that what is written reads back.

#include "app/settings_store.h"

#include <gtest/gtest.h>

namespace {

using app::parseSettingsText;
using Values = app::SettingsStore::Values;

TEST(SettingsText, KeysOfTheGeneralSectionWithTheirTextAsItStands) {
    const auto values = parseSettingsText("; a comment\n# another\n[General]\r\ntheme = 2 \r\n\n"
                                          "coordsLat=51.5\nnotifyTimeOfDay=@DateTime(\\0\\x1)\n"
                                          "[Other]\ntheme=1\nelse=x\n[%General]\nfirstRun=false\n");
    ASSERT_TRUE(values.has_value());
    EXPECT_EQ(*values, (Values{{"theme", "2"},
                               {"coordsLat", "51.5"},
                               {"notifyTimeOfDay", "@DateTime(\\0\\x1)"},
                               {"firstRun", "false"}}));
}

TEST(SettingsText, KeysBeforeAnyHeaderAreGeneralAndTheLastOfTwoWins) {
    EXPECT_EQ(*parseSettingsText("theme=1\ntheme=2\n"), (Values{{"theme", "2"}}));
    EXPECT_EQ(*parseSettingsText(""), Values{});
    EXPECT_EQ(*parseSettingsText("[General]\nemptyValue=\n"), (Values{{"emptyValue", ""}}));
}

TEST(SettingsText, WhatIsNoSuchFileIsRefused) {
    for (const QByteArray& text : {QByteArray("[General]\nhavePrefs=100\n[Gen"),          // a header cut short
                                   QByteArray("[General]\nhavePrefs=100\nnotifyEas"),     // a line cut short
                                   QByteArray("[General]\n=2\n"),                         // no key
                                   QByteArray("[General]\ntheme=1\n") + QByteArray(4, '\0'),
                                   QByteArray("[General]\ntheme=\xff\xfe\n")}) {          // not UTF-8
        EXPECT_FALSE(parseSettingsText(text).has_value()) << text.toStdString();
    }
}

TEST(SettingsText, WhatIsWrittenReadsBack) {
    const Values values{{"havePrefs", "100"}, {"coordsLon", "-0.118092"}, {"notifyTimeOfDay", "2026-09-21T14:13:20.250Z"}};
    const QByteArray text = app::settingsText(values);
    EXPECT_TRUE(text.startsWith("[General]\n"));
    EXPECT_EQ(parseSettingsText(text), values);
}

TEST(SettingsText, AValueWithALineBreakIsNotWritten) {
    const QByteArray text = app::settingsText({{"theme", "1\n[Other]"}, {"firstRun", "true"}});
    EXPECT_EQ(*parseSettingsText(text), (Values{{"firstRun", "true"}}));
}

} // namespace
