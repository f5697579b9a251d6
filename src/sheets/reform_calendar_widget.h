#pragma once
// A month calendar in the user's calendar: Julian before 15 October 1582 and
// Gregorian from then on, as the program's dates are, so that the day picked
// in the grid is the day the program shows, weekday included.
//
// Qt's calendars are one or the other, so a month before October 1582 is shown
// in the Julian calendar and every later month in the Gregorian one; a cell whose
// day in the user's calendar differs from the one the month's calendar gives
// (only in the months next to the reform) is labelled with the user's. In
// October 1582 the Gregorian days 1 to 10 are the last days of September and 11
// to 14 are 1 to 4 October. The highlighted cell is the selected day in the
// page's calendar. Week numbers, which Qt counts on the Gregorian calendar
// alone, are shown on Gregorian pages only.
//
// Years before the first: the year field takes them as Qt's dates count them,
// with a minus sign and no year 0, so -44 is 44 BC (the astronomers' -43). The
// year typed is the year the page turns to, whichever side of the era the page
// was on (Qt alone would skip the missing year 0 and land on -45 or 1583) and
// whichever calendar either page is in. The page keeps its month, the selected
// day stays, and the keyboard cursor keeps its day of the month, or takes the
// month's last day before it where the month lacks it (29 February goes to the
// 28th, 5 to 14 October 1582 to the 4th). A typed 0 names no year and leaves
// the page, and the cursor, where they were. Return or Escape in the year
// field gives the keyboard back to the day grid. The navigation bar writes the
// page's year as the main window's date does: "44 BC", "2026"
// (engine/year_text.h).

#include <QCalendar>
#include <QCalendarWidget>

#include <optional>

class QSpinBox;
class QTableView;
class QToolButton;

namespace sheets {

// The user's calendar for a day: Julian before 15 October 1582, else Gregorian.
QCalendar usersCalendarOf(QDate date);

// Day `day` of month `month` of `year` (Qt's count) in the user's calendar;
// invalid where that calendar has no such day (30 February, 10 October 1582).
QDate usersDate(int year, int month, int day);

// Year numbers of Qt's calendars, which have no year 0 (-1 is 1 BC), and the
// astronomers', which do (0 is 1 BC).
constexpr int qtYear(int astronomicalYear) noexcept {
    return astronomicalYear <= 0 ? astronomicalYear - 1 : astronomicalYear;
}
constexpr int astronomicalYear(int qtYear) noexcept { return qtYear < 0 ? qtYear + 1 : qtYear; }

class ReformCalendarWidget : public QCalendarWidget {
public:
    explicit ReformCalendarWidget(QWidget* parent = nullptr);

    // The day's number in the user's calendar, as its cell shows it.
    QString cellText(QDate date) const;
    // Whether the cell of `date` belongs to the month on show, in the user's calendar.
    bool isInShownMonth(QDate date) const;
    // The year of the month on show as the navigation bar writes it.
    QString shownYearText() const;

    // Selects `date` and turns to its month.
    void showDay(QDate date);

    // The navigation bar's year field and the button that opens it; null
    // should a Qt version build its bar otherwise.
    QSpinBox* yearField() const noexcept { return yearEdit_; }
    QToolButton* yearButton() const noexcept { return yearButton_; }

protected:
    void paintCell(QPainter* painter, const QRect& rect, QDate date) const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followPage(int year, int month);
    void reselect();
    QDate cursorDate() const;
    void putCursorOn(QDate date);
    void yearTyped(int year);
    void keepTypedYear();

    bool showsJulian_ = false;
    VerticalHeaderFormat gregorianWeekNumbers_ = ISOWeekNumbers;
    QSpinBox* yearEdit_ = nullptr;
    QToolButton* yearButton_ = nullptr;
    QTableView* cells_ = nullptr;
    std::optional<int> typedYear_;   // from the first keystroke in the year field until the page turns
    int yearBeforeTyping_ = 0;
    int monthBeforeTyping_ = 0;
    QDate cursorBeforeTyping_;
};

} // namespace sheets
