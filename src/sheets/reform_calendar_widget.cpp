#include "sheets/reform_calendar_widget.h"

#include "engine/year_text.h"

#include <QEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTextCharFormat>
#include <QToolButton>

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

ReformCalendarWidget::ReformCalendarWidget(QWidget* parent)
    : QCalendarWidget(parent),
      yearEdit_(findChild<QSpinBox*>(QStringLiteral("qt_calendar_yearedit"))),
      yearButton_(findChild<QToolButton*>(QStringLiteral("qt_calendar_yearbutton"))) {
    setCalendar(gregorian());
    connect(this, &QCalendarWidget::currentPageChanged, this, &ReformCalendarWidget::followPage);
    if (yearEdit_) {
        connect(yearEdit_, &QSpinBox::valueChanged, this, &ReformCalendarWidget::yearTyped);
        yearEdit_->installEventFilter(this);
    }
    if (yearButton_) yearButton_->installEventFilter(this);
}

QString ReformCalendarWidget::cellText(QDate date) const {
    return QString::number(date.day(usersCalendarOf(date)));
}

bool ReformCalendarWidget::isInShownMonth(QDate date) const {
    const QCalendar::YearMonthDay own = usersCalendarOf(date).partsFromDate(date);
    return own.year == yearShown() && own.month == monthShown();
}

QString ReformCalendarWidget::shownYearText() const {
    return QString::fromStdString(engine::yearText(astronomicalYear(yearShown())));
}

void ReformCalendarWidget::showDay(QDate date) {
    const QCalendar::YearMonthDay own = usersCalendarOf(date).partsFromDate(date);
    setSelectedDate(date);
    followPage(own.year, own.month);
    setCurrentPage(own.year, own.month);
}

// Month and year numbers are the same in both calendars, so a page turned to
// in one is the page of that name in the other. Qt counts week numbers on the
// Gregorian calendar only, so a Julian page shows none.
void ReformCalendarWidget::followPage(int year, int month) {
    const bool julianPage = isJulianMonth(year, month);
    if (julianPage == showsJulian_) return;
    showsJulian_ = julianPage;
    if (julianPage) gregorianWeekNumbers_ = verticalHeaderFormat();
    setCalendar(julianPage ? julian() : gregorian());
    setVerticalHeaderFormat(julianPage ? NoVerticalHeader : gregorianWeekNumbers_);
    reselect();
    setCurrentPage(year, month);
}

// Qt leaves the highlight, and the cell the arrow keys and the next click
// start from, at their places in the grid of the calendar it showed before,
// which in the other calendar are days away. Selecting afresh puts both on
// the selected day; a neighbour first, since Qt skips a selection where its
// cursor already lies on the day. Nothing has changed for the user, so
// nothing is announced.
void ReformCalendarWidget::reselect() {
    const QDate selected = selectedDate();
    const QSignalBlocker quiet(this);
    setSelectedDate(selected.addDays(selected < maximumDate() ? 1 : -1));
    setSelectedDate(selected);
}

// Qt fills the year field itself, while it is hidden, when it opens it and
// whenever the page turns; only what is typed while it is open counts.
void ReformCalendarWidget::yearTyped(int year) {
    if (!yearEdit_->isVisible()) return;
    if (!typedYear_) yearBeforeTyping_ = yearShown();
    typedYear_ = year;
}

// Qt turns the page by the difference between the typed year and the shown
// one, skipping the year 0 that its calendars lack; from here the page goes to
// the year typed.
void ReformCalendarWidget::keepTypedYear() {
    if (!typedYear_) return;
    const int typed = *typedYear_;
    typedYear_.reset();
    const int year = typed == 0 ? yearBeforeTyping_ : typed;
    if (year != yearShown()) setCurrentPage(year, monthShown());
}

// Every way of leaving the year field (Return, Escape, a click elsewhere, the
// focus moving on) hides it before Qt turns the page, so the typed year is
// put right once Qt is done. Qt writes the year button's text itself, in its
// own form ("-0044"), at several points; it is put right before it is painted.
bool ReformCalendarWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == yearEdit_ && event->type() == QEvent::Hide && typedYear_) {
        QMetaObject::invokeMethod(this, &ReformCalendarWidget::keepTypedYear, Qt::QueuedConnection);
    } else if (watched == yearButton_ && event->type() == QEvent::Paint) {
        if (const QString text = shownYearText(); !text.isEmpty() && yearButton_->text() != text)
            yearButton_->setText(text);
    }
    return QCalendarWidget::eventFilter(watched, event);
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
