// The main window's way into the sheets: its toolbar opens each sheet with the
// content's selected date and refresh flag, and every change of the flag
// shows the selected date again.

#include "mainwindow/content_view.h"
#include "mainwindow/sheet_buttons.h"

#include "platform/core/locale.h"

#include "sheets/calendar_view.h"
#include "sheets/date_time_picker.h"
#include "sheets/reform_calendar_widget.h"
#include "sheets/preferences_view.h"
#include "sheets/sheet_title_bar.h"
#include "support/local_dates.h"
#include "support/sheets_test_support.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using mainwindow::ContentView;

class Toolbar : public testing::Test {
protected:
    void SetUp() override {
        testsupport::resetSharedState();
        content.show();
        QObject::connect(&content, &ContentView::refreshInfoChanged, [this] { ++refreshes; });
    }
    void TearDown() override { testsupport::resetSharedState(); }

    QAction* action(const char* text) {
        for (QAction* a : content.toolbar()->actions())
            if (a->text() == QLatin1String(text)) return a;
        return nullptr;
    }
    template <class Sheet>
    Sheet* openedSheet() {
        testsupport::settle();
        return content.findChild<Sheet*>();
    }
    QLabel* dateLabel() { return content.findChild<QLabel*>(); }

    ContentView content;
    int refreshes = 0;
};

TEST_F(Toolbar, HoldsACalendarAndASettingsButton) {
    ASSERT_NE(action("Calendar"), nullptr);
    ASSERT_NE(action("Settings"), nullptr);
    EXPECT_EQ(content.toolbar()->actions().size(), 2);
}

TEST_F(Toolbar, TheCalendarSheetsDoneMovesTheSelectedDateAndRefreshesOnce) {
    content.setSelectedDate(testsupport::local(2026, 12, 21, 12, 0));
    action("Calendar")->trigger();
    QPointer<sheets::CalendarView> sheet = openedSheet<sheets::CalendarView>();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_TRUE(sheet->isModal());
    EXPECT_EQ(sheet->picker()->calendar()->selectedDate(), QDate(2026, 12, 21));

    sheet->picker()->calendar()->setSelectedDate(QDate(2027, 6, 21));
    sheet->picker()->timeEdit()->setTime(QTime(10, 30));
    QTest::mouseClick(sheet->doneButton(), Qt::LeftButton);
    EXPECT_EQ(content.selectedDate(), sheet->date());
    EXPECT_TRUE(content.refreshInfo());
    EXPECT_EQ(refreshes, 1);
    EXPECT_TRUE(dateLabel()->text().contains("June 2027")) << dateLabel()->text().toStdString();
    testsupport::settle();
    EXPECT_TRUE(sheet.isNull());   // each opening makes a new sheet
}

// A year before the first reads alike in the picker and in the window's date,
// in each language: the window's Russian date ended "15 марта 44 г. до н. э."
// where the picker wrote "44 до н. э.".
TEST_F(Toolbar, AYearTypedBeforeTheFirstReadsAlikeInThePickerAndTheWindow) {
    const std::vector<std::pair<const char*, const char*>> localesAndThe15th = {
        {"en_GB", " 15 March "}, {"ru_RU", " 15 марта "}};
    for (const auto& [locale, the15th] : localesAndThe15th) {
        platform::Locale::setCurrentOverride(platform::Locale::withIdentifier(locale));
        content.setSelectedDate(testsupport::local(2026, 3, 1, 12, 0));
        action("Calendar")->trigger();
        sheets::CalendarView* sheet = openedSheet<sheets::CalendarView>();
        ASSERT_NE(sheet, nullptr);
        sheets::ReformCalendarWidget& grid = *sheet->picker()->calendar();
        testsupport::typeYear(grid, QStringLiteral("-44"));
        grid.setSelectedDate(QDate(grid.yearShown(), grid.monthShown(), 15, grid.calendar()));   // a click on the 15th
        sheet->grab();   // the year button as it is drawn
        const QString pickersYear = grid.yearButton()->text();
        QTest::mouseClick(sheet->doneButton(), Qt::LeftButton);
        testsupport::settle();
        EXPECT_TRUE(pickersYear.startsWith(QStringLiteral("44"))) << pickersYear.toStdString();
        EXPECT_TRUE(dateLabel()->text().endsWith(QString::fromUtf8(the15th) + pickersYear))
            << dateLabel()->text().toStdString() << " | " << pickersYear.toStdString();
    }
    platform::Locale::setCurrentOverride(std::nullopt);
}

TEST_F(Toolbar, ACancelledCalendarSheetChangesNothing) {
    const auto selected = content.selectedDate();
    action("Calendar")->trigger();
    auto* sheet = openedSheet<sheets::CalendarView>();
    ASSERT_NE(sheet, nullptr);
    sheet->picker()->calendar()->setSelectedDate(QDate(2001, 1, 1));
    QTest::mouseClick(sheet->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(content.selectedDate(), selected);
    EXPECT_FALSE(content.refreshInfo());
    EXPECT_EQ(refreshes, 0);
}

TEST_F(Toolbar, ClosingThePreferencesSheetRefreshesOnceAndShowsTheDateAgain) {
    action("Settings")->trigger();
    QPointer<sheets::PreferencesView> sheet = openedSheet<sheets::PreferencesView>();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->isModal());
    const QString shown = dateLabel()->text();
    dateLabel()->setText("stale");
    QTest::mouseClick(sheet->titleBar()->doneButton(), Qt::LeftButton);
    EXPECT_EQ(refreshes, 1);
    EXPECT_TRUE(content.refreshInfo());
    EXPECT_EQ(dateLabel()->text(), shown);
    testsupport::settle();
    EXPECT_TRUE(sheet.isNull());

    action("Settings")->trigger();
    auto* second = openedSheet<sheets::PreferencesView>();
    ASSERT_NE(second, nullptr);
    second->close();
    EXPECT_EQ(refreshes, 2);
    EXPECT_FALSE(content.refreshInfo());
}

TEST_F(Toolbar, SettingTheFlagToTheValueItHoldsIsNoChange) {
    content.setRefreshInfo(false);
    EXPECT_EQ(refreshes, 0);
    content.setRefreshInfo(true);
    content.setRefreshInfo(true);
    EXPECT_EQ(refreshes, 1);
}

} // namespace
