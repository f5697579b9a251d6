// The main window's content: its own settings, the shared model, its own sound
// player, and the selected date it shows.

#include "mainwindow/content_view.h"

#include "app/audio_manager.h"
#include "app/global_model.h"
#include "app/settings_store.h"
#include "app/user_settings.h"
#include "platform/core/date_formatter.h"
#include "support/dates.h"
#include "support/qt_test_application.h"

#include <QLabel>
#include <QLayout>

#include <gtest/gtest.h>

namespace {

using mainwindow::ContentView;

class Content : public testing::Test {
protected:
    void SetUp() override { app::resetDefaults(); }
    void TearDown() override { app::resetDefaults(); }
};

TEST_F(Content, HoldsItsOwnSettingsTheSharedModelAndANewSoundPlayer) {
    ContentView first;
    ContentView second;
    EXPECT_NE(&first.userSettings(), &app::UserSettings::shared());
    EXPECT_NE(&first.userSettings(), &second.userSettings());
    EXPECT_EQ(&first.global(), &app::GlobalModel::shared());
    EXPECT_NE(&first.audioManager(), &second.audioManager());
    EXPECT_EQ(first.audioManager().audioPlayer(), nullptr);
}

TEST_F(Content, ItsSettingsAreReadFromTheStoreWhenItIsBuilt) {
    app::UserSettings().setNotifyDaysBefore(6);
    ContentView content;
    EXPECT_EQ(content.userSettings().notifyDaysBefore(), 6);
}

TEST_F(Content, TheSelectedDateStartsNowAndIsShown) {
    const platform::Date before = platform::Date::now();
    ContentView content;
    const platform::Date after = platform::Date::now();
    EXPECT_GE(content.selectedDate(), before);
    EXPECT_LE(content.selectedDate(), after);

    platform::DateFormatter formatter;
    formatter.setDateStyle(platform::DateFormatStyle::full);
    formatter.setTimeStyle(platform::DateFormatStyle::none);
    const QString expected = QString::fromStdString(formatter.string(content.selectedDate()));
    const QList<QLabel*> labels = content.findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels.front()->text(), expected);
    EXPECT_FALSE(expected.isEmpty());
}

TEST_F(Content, ANewSelectedDateIsShownAndAnnounced) {
    ContentView content;
    const platform::Date yule = platform::Date::fromSecondsSince1970(1797854400.0);   // 21 Dec 2026 12:00 UTC
    platform::Date announced;
    QObject::connect(&content, &ContentView::selectedDateChanged, [&](platform::Date d) { announced = d; });
    content.setSelectedDate(yule);
    EXPECT_EQ(content.selectedDate(), yule);
    EXPECT_EQ(announced, yule);
    EXPECT_TRUE(content.findChild<QLabel*>()->text().contains(QStringLiteral("December 2026")));
}

TEST_F(Content, TheEraIsShownWhereItIsNotThePresentOne) {
    ContentView content;
    platform::DateFormatter formatter;
    formatter.setDateStyle(platform::DateFormatStyle::full);
    formatter.setTimeStyle(platform::DateFormatStyle::none);
    // 1 March 500 BC 12:00 UTC: Julian day 1538800.0.
    const platform::Date bc = platform::Date::fromSecondsSince1970((1538800.0 - 2440587.5) * 86400.0);
    content.setSelectedDate(bc);
    const QString shown = content.findChild<QLabel*>()->text();
    EXPECT_EQ(shown, QString::fromStdString(formatter.string(bc)) + QStringLiteral(" BC"));
    EXPECT_TRUE(shown.contains(QStringLiteral(" 500 BC"))) << shown.toStdString();

    const platform::Date ad = platform::Date::fromSecondsSince1970(1797854400.0);   // 21 Dec 2026 12:00 UTC
    content.setSelectedDate(ad);
    EXPECT_EQ(content.findChild<QLabel*>()->text(), QString::fromStdString(formatter.string(ad)));
}

// The smallest content fits the widest date of the locale whatever date it
// showed when it was made that small, so a window manager that does not widen
// the window for a longer date cuts nothing.
TEST_F(Content, TheLongestDateOfTheLocaleFitsAtTheSmallestWidth) {
    QWidget window;
    ContentView content(&window);
    window.show();
    content.setSelectedDate(testsupport::local(2028, 5, 1, 12, 0));
    const QSize smallest = content.minimumSizeHint();
    content.setGeometry(QRect(QPoint(0, 0), smallest));

    content.setSelectedDate(testsupport::local(2028, 9, 27, 12, 0));
    content.layout()->activate();
    const QLabel* label = content.findChild<QLabel*>();
    ASSERT_EQ(label->text(), QStringLiteral("Wednesday, 27 September 2028"));
    EXPECT_GE(label->contentsRect().width(), label->fontMetrics().horizontalAdvance(label->text()));
    EXPECT_EQ(content.minimumSizeHint(), smallest);
}

TEST_F(Content, AReevaluationReadsTheStoreAgainAndKeepsTheSelectedDate) {
    ContentView content;
    const platform::Date selected = content.selectedDate();
    app::UserSettings().setShowSiderealZodiac(true);
    EXPECT_FALSE(content.userSettings().showSiderealZodiac());
    content.reevaluate();
    EXPECT_TRUE(content.userSettings().showSiderealZodiac());
    EXPECT_EQ(content.selectedDate(), selected);
}

} // namespace
