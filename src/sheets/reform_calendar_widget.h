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
// to 14 are 1 to 4 October.

#include <QCalendar>
#include <QCalendarWidget>

namespace sheets {

// The user's calendar for a day: Julian before 15 October 1582, else Gregorian.
QCalendar usersCalendarOf(QDate date);

class ReformCalendarWidget : public QCalendarWidget {
public:
    explicit ReformCalendarWidget(QWidget* parent = nullptr);

    // The day's number in the user's calendar, as its cell shows it.
    QString cellText(QDate date) const;
    // Whether the cell of `date` belongs to the month on show, in the user's calendar.
    bool isInShownMonth(QDate date) const;

    // Selects `date` and turns to its month.
    void showDay(QDate date);

protected:
    void paintCell(QPainter* painter, const QRect& rect, QDate date) const override;

private:
    void followPage(int year, int month);
    bool showsJulian_ = false;
};

} // namespace sheets
