#include "sheets/reform_calendar_widget.h"

#include <QPainter>
#include <QTextCharFormat>

namespace sheets {
namespace {

const QCalendar& julian() {
    static const QCalendar calendar(QCalendar::System::Julian);
    return calendar;
}

const QCalendar& gregorian() {
    static const QCalendar calendar(QCalendar::System::Gregorian);
    return calendar;
}

bool isJulianMonth(int year, int month) { return year < 1582 || (year == 1582 && month < 10); }

} // namespace

QCalendar usersCalendarOf(QDate date) {
    static const qint64 firstGregorianDay = QDate(1582, 10, 15, gregorian()).toJulianDay();
    return date.toJulianDay() < firstGregorianDay ? julian() : gregorian();
}

ReformCalendarWidget::ReformCalendarWidget(QWidget* parent) : QCalendarWidget(parent) {
    setCalendar(gregorian());
    connect(this, &QCalendarWidget::currentPageChanged, this, &ReformCalendarWidget::followPage);
}

QString ReformCalendarWidget::cellText(QDate date) const {
    return QString::number(date.day(usersCalendarOf(date)));
}

bool ReformCalendarWidget::isInShownMonth(QDate date) const {
    const QCalendar::YearMonthDay own = usersCalendarOf(date).partsFromDate(date);
    return own.year == yearShown() && own.month == monthShown();
}

void ReformCalendarWidget::showDay(QDate date) {
    const QCalendar::YearMonthDay own = usersCalendarOf(date).partsFromDate(date);
    setSelectedDate(date);
    followPage(own.year, own.month);
    setCurrentPage(own.year, own.month);
}

// Month and year numbers are the same in both calendars, so a page turned to
// in one is the page of that name in the other.
void ReformCalendarWidget::followPage(int year, int month) {
    const bool julianPage = isJulianMonth(year, month);
    if (julianPage == showsJulian_) return;
    showsJulian_ = julianPage;
    setCalendar(julianPage ? julian() : gregorian());
    setCurrentPage(year, month);
}

void ReformCalendarWidget::paintCell(QPainter* painter, const QRect& rect, QDate date) const {
    QCalendarWidget::paintCell(painter, rect, date);
    if (date.day(calendar()) == date.day(usersCalendarOf(date))) return;

    // Over the month's own label, the user's, in the colours the widget gives its cells.
    const bool selected = date == selectedDate();
    QColor text = palette().color(QPalette::Text);
    if (!isInShownMonth(date)) {
        text = palette().color(QPalette::Disabled, QPalette::Text);
    } else if (const QBrush weekday = weekdayTextFormat(Qt::DayOfWeek(date.dayOfWeek())).foreground();
               weekday.style() != Qt::NoBrush) {
        text = weekday.color();
    }
    painter->save();
    painter->fillRect(rect.adjusted(1, 1, -1, -1), selected ? palette().highlight() : palette().base());
    painter->setPen(selected ? palette().color(QPalette::HighlightedText) : text);
    painter->drawText(rect, Qt::AlignCenter, cellText(date));
    painter->restore();
}

} // namespace sheets
