// The calendar sheet: only "Done" writes the date and inverts the flag; the
// picker opens on the selected day at the present time of day; "Today" moves
// the working copy; every way of cancelling writes nothing.

#include "sheets/calendar_view.h"

#include "engine/calendar_dates.h"
#include "sheets/local_fields.h"

#include "sheets/date_time_picker.h"
#include "sheets/reform_calendar_widget.h"
#include "support/local_dates.h"
#include "support/sheets_test_support.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using platform::Date;
using sheets::CalendarView;
using testsupport::local;

// A clock that stands still until the test moves it.
struct FakeClock {
    Date now;
    CalendarView::Clock clock() {
        return [this] { return now; };
    }
};

class CalendarSheet : public testing::Test {
protected:
    std::unique_ptr<CalendarView> open(Date selected, Date now) {
        date.value = selected;
        clock.now = now;
        auto sheet = std::make_unique<CalendarView>(date.binding(), flag.binding(), nullptr, clock.clock());
        present(*sheet);
        return sheet;
    }

    // On an X server the window takes the keyboard once the server has made
    // it active, some time after it is shown.
    static void present(CalendarView& sheet) {
        sheet.open();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&sheet, 20000));
        testsupport::settle();
    }

    testsupport::SelectedDate date;
    testsupport::RefreshFlag flag;
    FakeClock clock;
};

TEST_F(CalendarSheet, ShowsItsFixedTexts) {
    auto sheet = open(local(2024, 12, 20, 22, 45), local(2026, 6, 10, 8, 15, 30));
    EXPECT_EQ(sheet->doneButton()->text(), "Done");
    EXPECT_EQ(sheet->todayButton()->text(), "Today");
    EXPECT_EQ(sheet->cancelButton()->text(), "Cancel");
    EXPECT_EQ(sheet->picker()->timeEdit()->displayFormat(), "HH:mm");
}

TEST_F(CalendarSheet, OpensOnTheSelectedDayAtThePresentTimeOfDay) {
    auto sheet = open(local(2024, 12, 20, 22, 45), local(2026, 6, 10, 8, 15, 30.75));
    EXPECT_EQ(sheet->date(), local(2024, 12, 20, 8, 15, 30));   // whole seconds
    EXPECT_EQ(sheet->picker()->calendar()->selectedDate(), QDate(2024, 12, 20));
    EXPECT_EQ(sheet->picker()->calendar()->yearShown(), 2024);
    EXPECT_EQ(sheet->picker()->calendar()->monthShown(), 12);
    EXPECT_EQ(sheet->picker()->timeEdit()->time(), QTime(8, 15));
    EXPECT_EQ(date.writes, 0);
    EXPECT_TRUE(flag.writes.empty());
}

TEST_F(CalendarSheet, ALateEveningOpenedInTheMorningKeepsItsDay) {
    auto sheet = open(local(2031, 3, 14, 23, 50), local(2026, 1, 2, 6, 5));
    EXPECT_EQ(sheet->date(), local(2031, 3, 14, 6, 5));
    EXPECT_EQ(sheet->picker()->calendar()->selectedDate(), QDate(2031, 3, 14));
}

// Qt's table of day cells, which takes the arrow keys.
QTableView& dayCells(const sheets::ReformCalendarWidget& grid) {
    return *grid.findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
}

// The arrow keys move the day as soon as the sheet is on screen, each time
// it comes on screen, without a Tab to reach the grid first.
TEST_F(CalendarSheet, TheDayGridHasTheKeyboardFocusWhenTheSheetOpens) {
    auto sheet = open(local(2026, 12, 7, 12, 0), local(2026, 6, 10, 8, 0));
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(QApplication::focusWidget(), &dayCells(*sheet->picker()->calendar())) << "round " << round;
        QTest::keyClick(sheet->windowHandle(), Qt::Key_Right);
        EXPECT_EQ(sheets::localDay(sheet->date()), (sheets::LocalDay{2026, 12, 8})) << "round " << round;

        sheet->picker()->timeEdit()->setFocus();
        sheet->reject();
        present(*sheet);
    }
}

TEST_F(CalendarSheet, DoneWithoutTouchingThePickerWritesTheDayAtTheTimeTheSheetAppeared) {
    auto sheet = open(local(2024, 12, 20, 22, 45), local(2026, 6, 10, 8, 15, 30));
    QTest::mouseClick(sheet->doneButton(), Qt::LeftButton);
    EXPECT_EQ(date.value, local(2024, 12, 20, 8, 15, 30));
    EXPECT_EQ(date.writes, 1);
    EXPECT_EQ(flag.writes, std::vector<bool>{true});
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(sheet->result(), QDialog::Accepted);
}

TEST_F(CalendarSheet, DoneWritesWhatThePickerHolds) {
    auto sheet = open(local(2024, 12, 20, 22, 45), local(2026, 6, 10, 8, 15, 30));
    sheet->picker()->calendar()->setSelectedDate(QDate(2025, 2, 3));   // as a click on a day does
    sheet->picker()->timeEdit()->setTime(QTime(17, 40));
    EXPECT_EQ(sheet->date(), local(2025, 2, 3, 17, 40, 30));
    EXPECT_EQ(date.writes, 0);

    QTest::mouseClick(sheet->doneButton(), Qt::LeftButton);
    EXPECT_EQ(date.value, local(2025, 2, 3, 17, 40, 30));
    EXPECT_EQ(flag.writes, std::vector<bool>{true});
}

TEST_F(CalendarSheet, TodayMovesOnlyTheWorkingCopyAndTheSheetStaysOpen) {
    const Date selected = local(2019, 7, 1, 10, 0);
    const Date pressed = local(2026, 6, 10, 9, 30, 12.25);
    auto sheet = open(selected, local(2026, 6, 10, 9, 29));
    clock.now = pressed;
    QTest::mouseClick(sheet->todayButton(), Qt::LeftButton);
    EXPECT_EQ(sheet->date(), pressed);
    EXPECT_EQ(sheet->picker()->calendar()->selectedDate(), QDate(2026, 6, 10));
    EXPECT_EQ(sheet->picker()->timeEdit()->time(), QTime(9, 30));
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(date.value, selected);
    EXPECT_TRUE(flag.writes.empty());
}

TEST_F(CalendarSheet, TodayThenDoneSetsTheInstantTodayWasPressed) {
    const Date pressed = local(2026, 6, 10, 9, 30, 12.25);
    auto sheet = open(local(2019, 7, 1, 10, 0), local(2026, 6, 10, 9, 29));
    clock.now = pressed;
    QTest::mouseClick(sheet->todayButton(), Qt::LeftButton);
    clock.now = local(2026, 6, 10, 9, 31);
    QTest::mouseClick(sheet->doneButton(), Qt::LeftButton);
    EXPECT_EQ(date.value, pressed);
    EXPECT_EQ(flag.writes, std::vector<bool>{true});
}

TEST_F(CalendarSheet, CancelEscapeAndTheCloseButtonWriteNothing) {
    const Date selected = local(2024, 12, 20, 22, 45);
    const std::vector<std::function<void(CalendarView&)>> cancels = {
        [](CalendarView& s) { QTest::mouseClick(s.cancelButton(), Qt::LeftButton); },
        [](CalendarView& s) { QTest::keyClick(&s, Qt::Key_Escape); },
        [](CalendarView& s) { QTest::keyClick(s.picker()->timeEdit(), Qt::Key_Escape); },
        [](CalendarView& s) { s.close(); },   // the window's close button
    };
    for (std::size_t i = 0; i < cancels.size(); ++i) {
        auto sheet = open(selected, local(2026, 6, 10, 8, 15, 30));
        sheet->picker()->calendar()->setSelectedDate(QDate(2025, 2, 3));
        clock.now = local(2026, 6, 11, 8, 0);
        QTest::mouseClick(sheet->todayButton(), Qt::LeftButton);
        cancels[i](*sheet);
        EXPECT_FALSE(sheet->isVisible()) << i;
        EXPECT_EQ(sheet->result(), QDialog::Rejected) << i;
        EXPECT_EQ(date.value, selected) << i;
        EXPECT_EQ(date.writes, 0) << i;
        EXPECT_TRUE(flag.writes.empty()) << i;
    }
}

TEST_F(CalendarSheet, ReturnNeverClosesTheSheet) {
    auto sheet = open(local(2024, 12, 20, 22, 45), local(2026, 6, 10, 8, 15, 30));
    for (QWidget* target : std::vector<QWidget*>{sheet->picker()->timeEdit(), sheet->picker()->calendar(), sheet.get()}) {
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        QTest::keyClick(target, Qt::Key_Enter);
    }
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(date.writes, 0);
    EXPECT_TRUE(flag.writes.empty());
}

TEST_F(CalendarSheet, TwoAcceptedSheetsBringTheFlagBackToItsFirstValue) {
    for (int i = 0; i < 2; ++i) {
        auto sheet = open(local(2024, 12, 20, 22, 45), local(2026, 6, 10, 8, 15, 30));
        QTest::mouseClick(sheet->doneButton(), Qt::LeftButton);
    }
    EXPECT_EQ(flag.writes, (std::vector<bool>{true, false}));
    EXPECT_FALSE(flag.value);
}

TEST_F(CalendarSheet, EachPresentationStartsAfreshFromTheThenSelectedDay) {
    auto sheet = open(local(2024, 12, 20, 22, 45), local(2026, 6, 10, 8, 0));
    sheet->picker()->calendar()->setSelectedDate(QDate(2025, 2, 3));
    sheet->reject();
    clock.now = local(2026, 6, 10, 9, 0);
    date.value = local(2030, 1, 9, 12, 0);
    present(*sheet);
    EXPECT_EQ(sheet->date(), local(2030, 1, 9, 9, 0));
}

TEST_F(CalendarSheet, ADayBeforeTheEraSurvivesThePicker) {
    // 44 BC in the calendar's own count: year 44 of the era before.
    const Date selected = local(2024, 1, 1, 12, 0);
    auto sheet = open(selected, local(2026, 6, 10, 8, 0));
    sheet->picker()->calendar()->setSelectedDate(QDate(-44, 3, 15));
    const Date idesOfMarch = sheet->date();
    EXPECT_EQ(sheet->picker()->calendar()->selectedDate(), QDate(-44, 3, 15));
    sheet->picker()->timeEdit()->setTime(QTime(11, 0));
    EXPECT_EQ(sheet->picker()->calendar()->selectedDate(), QDate(-44, 3, 15));
    EXPECT_LT(idesOfMarch, local(1, 1, 1, 0, 0));
}

// The year field takes years before the first with a minus sign and no year
// 0, and turns to the year typed from either side of the era (Qt's own count
// skips the missing year 0: -44 typed from 2024 gave -45, 1582 typed from there
// 1583). The page's year reads as the main window's date writes it.
TEST_F(CalendarSheet, TheYearTypedIsTheYearShownAndKept) {
    auto sheet = open(local(2024, 3, 1, 12, 0), local(2026, 6, 10, 8, 15, 30));
    sheets::ReformCalendarWidget& grid = *sheet->picker()->calendar();
    const std::vector<std::pair<QString, int>> typedAndShown = {
        {"-44", -44}, {"1582", 1582}, {"0", 1582}, {"-1", -1}, {"1", 1}, {"-44", -44}};
    for (const auto& [typed, shown] : typedAndShown) {
        testsupport::typeYear(grid, typed);
        EXPECT_EQ(grid.yearShown(), shown) << typed.toStdString();
        EXPECT_EQ(grid.monthShown(), 3) << typed.toStdString();
    }
    sheet->grab();   // the year button as it is drawn
    EXPECT_EQ(grid.yearButton()->text(), QStringLiteral("44 BC"));

    grid.setSelectedDate(QDate(grid.yearShown(), grid.monthShown(), 15, grid.calendar()));   // a click on the 15th
    QTest::mouseClick(sheet->doneButton(), Qt::LeftButton);
    EXPECT_EQ(sheets::localDay(date.value), (sheets::LocalDay{-43, 3, 15}));
}

// A click on the cell labelled `day` of the month on show, as Qt labels it.
void clickDay(sheets::ReformCalendarWidget& grid, int day) {
    QTableView& cells = dayCells(grid);
    const int left = grid.verticalHeaderFormat() == QCalendarWidget::NoVerticalHeader ? 0 : 1;
    QModelIndex found;   // the neighbouring months' days come first in the grid for a late day, last for an early one
    for (int row = 1; row < cells.model()->rowCount(); ++row) {
        for (int column = left; column < cells.model()->columnCount(); ++column) {
            const QModelIndex cell = cells.model()->index(row, column);
            if (cell.data().toString() == QString::number(day) && (day >= 15 || !found.isValid())) found = cell;
        }
    }
    ASSERT_TRUE(found.isValid()) << day;
    QTest::mouseClick(cells.viewport(), Qt::LeftButton, {}, cells.visualRect(found).center());
}

// A year typed turns to that year's page of the same month, in the calendar
// of that page, and the keyboard cursor keeps its day there: the arrow keys
// step from the same day of the new page. Qt added the years in the calendar
// of the page it left: from Julian pages to Gregorian ones it showed an empty
// page (and "1 BC" on the next), or January for December.
TEST_F(CalendarSheet, TheYearTypedTurnsToItsPageAndTheCursorKeepsItsDay) {
    using sheets::LocalDay;
    struct Case {
        LocalDay clicked;
        QString typed;
        int shownYear;   // Qt's count
        QString yearText;
        LocalDay afterLeft;
    };
    std::vector<Case> cases;
    for (int year : {0, 1066, 1500, -4999}) {   // 1 BC and 5000 BC in the astronomers' count
        for (int month : {12, 1}) {
            cases.push_back({{year, month, 31}, "1582", 1582, "1582", {1582, month, 30}});
            cases.push_back({{year, month, 31}, "2026", 2026, "2026", {2026, month, 30}});
        }
    }
    cases.push_back({{2026, 12, 31}, "-44", -44, "44 BC", {-43, 12, 30}});
    cases.push_back({{2026, 12, 31}, "1", 1, "1", {1, 12, 30}});
    cases.push_back({{2026, 12, 31}, "-1", -1, "1 BC", {0, 12, 30}});
    // A day the month lacks: its last day before it.
    cases.push_back({{1500, 2, 29}, "2026", 2026, "2026", {2026, 2, 27}});
    cases.push_back({{2026, 10, 10}, "1582", 1582, "1582", {1582, 10, 3}});   // 5 to 14 October 1582 never were

    for (const Case& c : cases) {
        const std::string label =
            std::to_string(c.clicked.year) + "-" + std::to_string(c.clicked.month) + " to " + c.typed.toStdString();
        const LocalDay first{c.clicked.year, c.clicked.month, 1};
        auto sheet = open(sheets::onDay(local(2024, 1, 1, 12, 0), first).value(), local(2026, 6, 10, 8, 0));
        sheets::ReformCalendarWidget& grid = *sheet->picker()->calendar();
        clickDay(grid, c.clicked.day);
        ASSERT_EQ(sheets::localDay(sheet->date()), c.clicked) << label;
        const QDate selected = grid.selectedDate();

        testsupport::typeYear(grid, c.typed);
        EXPECT_EQ(grid.yearShown(), c.shownYear) << label;
        EXPECT_EQ(grid.monthShown(), c.clicked.month) << label;
        EXPECT_EQ(grid.selectedDate(), selected) << label;
        sheet->grab();   // the year button as it is drawn
        EXPECT_EQ(grid.yearButton()->text(), c.yearText) << label;

        QTest::keyClick(&dayCells(grid), Qt::Key_Left);
        EXPECT_EQ(sheets::localDay(sheet->date()), c.afterLeft) << label;
        grid.findChild<QToolButton*>(QStringLiteral("qt_calendar_nextmonth"))->click();   // the next-month arrow
        const int nextYear = c.shownYear == -1 ? 1 : c.shownYear + 1;   // after 1 BC, 1 AD
        EXPECT_EQ(grid.yearShown(), c.clicked.month == 12 ? nextYear : c.shownYear) << label;
        EXPECT_EQ(grid.monthShown(), c.clicked.month % 12 + 1) << label;
    }
}

// A typed 0 leaves the page and the cursor where they were: Qt's detour
// through the year 1 BC moved the cursor by that year's gap between the calendars.
TEST_F(CalendarSheet, ATypedZeroLeavesTheCursorWhereItWas) {
    for (const int year : {2026, 1066}) {
        auto sheet = open(sheets::onDay(local(2024, 1, 1, 12, 0), {year, 12, 7}).value(), local(2026, 6, 10, 8, 0));
        sheets::ReformCalendarWidget& grid = *sheet->picker()->calendar();
        QTest::keyClick(&dayCells(grid), Qt::Key_Right);
        testsupport::typeYear(grid, "0");
        EXPECT_EQ(grid.yearShown(), year);
        EXPECT_EQ(grid.monthShown(), 12);
        QTest::keyClick(&dayCells(grid), Qt::Key_Right);
        EXPECT_EQ(sheets::localDay(sheet->date()), (sheets::LocalDay{year, 12, 9})) << year;
    }
}

// Keys as a keyboard gives them: to whichever widget has the keyboard focus.
void typeAtTheFocus(const QString& text) {
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClicks(QApplication::focusWidget(), text);
}

std::string classOfTheFocus() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "nothing";
}

void pressAtTheFocus(Qt::Key key) {
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), key);
    testsupport::settle();
}

// Closing the year field, by Return or by Escape, gives the keyboard back to
// the day grid. Qt handed it to the time field: Down took an hour off the
// time and turned the page back to the selected day's month, and Done wrote
// the changed hour. Escape drops the year typed and keeps the page on show.
TEST_F(CalendarSheet, AfterTheYearFieldTheArrowsMoveTheDay) {
    using sheets::LocalDay;
    struct Case {
        Qt::Key closing;
        int monthsOn;   // clicks on the next-month arrow before the year field opens
        int shownYear;
        int shownMonth;
        LocalDay afterDown;   // a week after the 18th, the selected day of the month
    };
    const std::vector<Case> cases = {
        {Qt::Key_Return, 0, 1582, 3, {1582, 3, 25}},   // a Julian page
        {Qt::Key_Return, 1, 1582, 4, {1582, 4, 25}},
        {Qt::Key_Escape, 0, 2026, 3, {2026, 3, 25}},
        {Qt::Key_Escape, 1, 2026, 4, {2026, 4, 25}},
    };
    for (const Case& c : cases) {
        const std::string label = (c.closing == Qt::Key_Return ? "Return, " : "Escape, ") + std::to_string(c.monthsOn);
        auto sheet = open(local(2026, 3, 18, 12, 0), local(2026, 6, 10, 2, 39));
        sheets::ReformCalendarWidget& grid = *sheet->picker()->calendar();
        for (int i = 0; i < c.monthsOn; ++i)
            QTest::mouseClick(grid.findChild<QToolButton*>(QStringLiteral("qt_calendar_nextmonth")), Qt::LeftButton);
        ASSERT_NE(grid.yearButton(), nullptr);
        QTest::mouseClick(grid.yearButton(), Qt::LeftButton);
        ASSERT_EQ(QApplication::focusWidget(), grid.yearField()) << label << ": the keys go to " << classOfTheFocus();
        typeAtTheFocus("1582");   // over the year, which the field opens selected
        pressAtTheFocus(c.closing);

        EXPECT_TRUE(sheet->isVisible()) << label;
        EXPECT_FALSE(grid.yearField()->isVisible()) << label;
        EXPECT_EQ(QApplication::focusWidget(), &dayCells(grid)) << label << ": the keys go to " << classOfTheFocus();
        EXPECT_EQ(grid.yearShown(), c.shownYear) << label;
        EXPECT_EQ(grid.monthShown(), c.shownMonth) << label;

        pressAtTheFocus(Qt::Key_Down);
        EXPECT_EQ(sheets::localDay(sheet->date()), c.afterDown) << label;
        EXPECT_EQ(grid.yearShown(), c.shownYear) << label;
        EXPECT_EQ(grid.monthShown(), c.shownMonth) << label;
        EXPECT_EQ(sheet->picker()->timeEdit()->time().toString().toStdString(), "02:39:00") << label;

        QTest::mouseClick(sheet->doneButton(), Qt::LeftButton);
        EXPECT_EQ(sheets::localDay(date.value), c.afterDown) << label;
        EXPECT_EQ(sheets::clockTime(date.value), (sheets::ClockTime{2, 39, 0})) << label;
    }
}

// 500 BC (the astronomers' -499): Done, and Done again in a sheet opened
// afresh, keep the day and its era.
TEST_F(CalendarSheet, ADayBeforeTheYearOneStaysBeforeItThroughDone) {
    const auto bc = sheets::onDay(local(2024, 1, 1, 12, 0), {-499, 3, 1});
    ASSERT_TRUE(bc);
    for (int round = 0; round < 2; ++round) {
        auto sheet = open(round == 0 ? *bc : date.value, local(2026, 6, 10, 8, 15, 30));
        EXPECT_EQ(sheets::localDay(sheet->date()), (sheets::LocalDay{-499, 3, 1}));
        QTest::mouseClick(sheet->doneButton(), Qt::LeftButton);
        EXPECT_EQ(sheets::localDay(date.value), (sheets::LocalDay{-499, 3, 1})) << "round " << round;
        EXPECT_EQ(sheets::clockTime(date.value), (sheets::ClockTime{8, 15, 30}));
    }
}

// Sunday 1 ... Saturday 7 of a day counted as a Julian day number.
int weekdayOfDayNumber(qint64 julianDayNumber) { return static_cast<int>((julianDayNumber + 1) % 7) + 1; }

// Before the reform the grid is the Julian calendar, as the program's dates
// are: the cell labelled 1 March 1000 is the day the program then holds, on
// the same weekday.
TEST_F(CalendarSheet, BeforeTheReformTheDayPickedIsTheDayShown) {
    auto sheet = open(local(2024, 1, 1, 12, 0), local(2026, 6, 10, 8, 0));
    sheets::ReformCalendarWidget& grid = *sheet->picker()->calendar();
    grid.setCurrentPage(1000, 3);
    EXPECT_EQ(grid.calendar().name(), QStringLiteral("Julian"));
    const QDate cell(1000, 3, 1, grid.calendar());
    grid.setSelectedDate(cell);   // as a click on the cell labelled 1 does
    EXPECT_EQ(sheets::localDay(sheet->date()), (sheets::LocalDay{1000, 3, 1}));
    EXPECT_EQ(engine::getDOW(sheet->date()), weekdayOfDayNumber(cell.toJulianDay()));
    EXPECT_EQ(engine::getDOW(sheet->date()), 6) << "1 March 1000 (Julian, day number 2086368) was a Friday";
}

TEST_F(CalendarSheet, TheReformMonthShowsTheDaysTheCalendarHas) {
    auto sheet = open(sheets::onDay(local(2024, 1, 1, 12, 0), {1582, 10, 4}).value(), local(2026, 6, 10, 8, 0));
    sheets::ReformCalendarWidget& grid = *sheet->picker()->calendar();
    const QDate thursday = grid.selectedDate();
    EXPECT_EQ(thursday, QDate(1582, 10, 14)) << "4 October (Julian) is the Gregorian 14th";
    EXPECT_EQ(grid.yearShown(), 1582);
    EXPECT_EQ(grid.monthShown(), 10);
    EXPECT_EQ(grid.cellText(thursday), QStringLiteral("4"));
    EXPECT_TRUE(grid.isInShownMonth(thursday));
    // The Gregorian 1 to 10 October are the Julian 21 to 30 September.
    EXPECT_EQ(grid.cellText(QDate(1582, 10, 1)), QStringLiteral("21"));
    EXPECT_FALSE(grid.isInShownMonth(QDate(1582, 10, 10)));
    EXPECT_EQ(grid.cellText(QDate(1582, 10, 15)), QStringLiteral("15"));

    // The day after 4 October is 15 October, a Friday.
    grid.setSelectedDate(thursday.addDays(1));
    EXPECT_EQ(sheets::localDay(sheet->date()), (sheets::LocalDay{1582, 10, 15}));
    EXPECT_EQ(engine::getDOW(sheet->date()), 6);

    grid.showPreviousMonth();
    EXPECT_EQ(grid.calendar().name(), QStringLiteral("Julian"));
    EXPECT_EQ(grid.monthShown(), 9);
    grid.showNextMonth();
    grid.showNextMonth();
    EXPECT_EQ(grid.calendar().name(), QStringLiteral("Gregorian"));
    EXPECT_EQ(grid.monthShown(), 11);
}

// The highlighted cell is the selected day in the page's calendar and the
// arrow keys step from it; week numbers, which Qt counts on the Gregorian
// calendar, show on Gregorian pages only. Qt highlighted 1 January 1067 for 25
// December 1066 (the cell's place in the Gregorian grid) and went on from
// there, and numbered Julian weeks as Gregorian ones.
TEST_F(CalendarSheet, TheHighlightIsTheSelectedDayInThePagesCalendar) {
    using sheets::LocalDay;
    const std::vector<std::tuple<LocalDay, std::string, LocalDay, int>> cases = {
        // selected day, its cell as Qt writes it, the day after Right, columns
        {{-43, 5, 20}, "20", {-43, 5, 21}, 7},   // 44 BC
        {{1066, 12, 25}, "25", {1066, 12, 26}, 7},
        {{1500, 12, 16}, "16", {1500, 12, 17}, 7},
        {{1582, 10, 4}, "14", {1582, 10, 15}, 8},   // the Gregorian 14th
        {{2026, 12, 21}, "21", {2026, 12, 22}, 8},
    };
    for (const auto& [selected, cellText, afterRight, columns] : cases) {
        auto sheet = open(sheets::onDay(local(2024, 1, 1, 12, 0), selected).value(), local(2026, 6, 10, 8, 0));
        sheets::ReformCalendarWidget& grid = *sheet->picker()->calendar();
        QTableView& cells = dayCells(grid);
        const QModelIndexList highlighted = cells.selectionModel()->selectedIndexes();
        ASSERT_EQ(highlighted.size(), 1) << selected.year;
        EXPECT_EQ(highlighted.front().data().toString().toStdString(), cellText) << selected.year;
        EXPECT_EQ(cells.model()->columnCount(), columns) << selected.year;
        QTest::keyClick(&cells, Qt::Key_Right);
        EXPECT_EQ(sheets::localDay(sheet->date()), afterRight) << selected.year;

        grid.setCurrentPage(1582, 9);
        grid.showNextMonth();   // from a Julian page to a Gregorian one
        EXPECT_EQ(cells.model()->columnCount(), 8);
    }
}

TEST_F(CalendarSheet, ADayBeyondThePickersPagesIsKeptAsItIs) {
    auto sheet = open(local(12000, 5, 1, 9, 0), local(2026, 6, 10, 8, 15, 30));
    EXPECT_EQ(sheet->date(), local(12000, 5, 1, 8, 15, 30));
    QTest::mouseClick(sheet->doneButton(), Qt::LeftButton);
    EXPECT_EQ(date.value, local(12000, 5, 1, 8, 15, 30));
}

TEST_F(CalendarSheet, AnInstantNoCalendarCanHoldOpensAndClosesQuietly) {
    for (double seconds : {std::numeric_limits<double>::quiet_NaN(), 1e300, -1e300}) {
        const Date hostile = Date::fromSecondsSince1970(seconds);
        auto sheet = open(hostile, local(2026, 6, 10, 8, 15, 30));
        QTest::mouseClick(sheet->todayButton(), Qt::LeftButton);
        EXPECT_EQ(sheet->date(), local(2026, 6, 10, 8, 15, 30));
        QTest::mouseClick(sheet->cancelButton(), Qt::LeftButton);
        EXPECT_EQ(date.writes, 0);
    }
}

TEST_F(CalendarSheet, AClockTimeInAGapOfTheClocksMovesForwardByTheGap) {
    const auto gap = testsupport::firstClockGap();
    if (!gap) GTEST_SKIP() << "the clocks of this zone do not jump forward";

    // The sheet appears at a time of day that the selected day skips.
    const QDate dayBefore = QDate(gap->year, gap->month, gap->day).addDays(-1);
    const Date now = local(dayBefore.year(), dayBefore.month(), dayBefore.day(), gap->hour, gap->minute);
    auto sheet = open(gap->noonOfDay, now);
    EXPECT_EQ(sheet->date(), gap->movedForward);
    EXPECT_EQ(sheet->picker()->calendar()->selectedDate(), QDate(gap->year, gap->month, gap->day));
    EXPECT_EQ(sheet->picker()->timeEdit()->time(), QTime(gap->hour, gap->minute).addSecs(static_cast<int>(gap->length)));

    // The same time of day picked by hand.
    sheet->picker()->timeEdit()->setTime(QTime(12, 0));
    sheet->picker()->timeEdit()->setTime(QTime(gap->hour, gap->minute));
    EXPECT_EQ(sheet->date(), gap->movedForward);
    EXPECT_EQ(sheet->picker()->timeEdit()->time(), QTime(gap->hour, gap->minute).addSecs(static_cast<int>(gap->length)));

    QTest::mouseClick(sheet->doneButton(), Qt::LeftButton);
    EXPECT_EQ(date.value, gap->movedForward);
}

} // namespace
