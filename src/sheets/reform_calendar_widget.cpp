#include "sheets/reform_calendar_widget.h"

#include "engine/year_text.h"

#include <QEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QTextCharFormat>
#include <QToolButton>

#include <tuple>

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

// Qt's table of a page: a row of weekday names and a column of week numbers
// where they show, then the days, a week to a row. The page's days run on
// from the first day cell labelled 1; Qt labels cells in the page's calendar.
class PageCells {
public:
    PageCells(const QCalendarWidget& widget, const QAbstractItemModel& model)
        : model_(model),
          top_(widget.horizontalHeaderFormat() == QCalendarWidget::NoHorizontalHeader ? 0 : 1),
          left_(widget.verticalHeaderFormat() == QCalendarWidget::NoVerticalHeader ? 0 : 1),
          first_(QDate(widget.yearShown(), widget.monthShown(), 1, widget.calendar())) {
        if (!first_.isValid() || model.columnCount() != left_ + daysInWeek) return;
        const QString one = QString::number(1), localOne = widget.locale().toString(1);
        for (int row = top_; row < model.rowCount() && firstPlace_ < 0; ++row) {
            for (int column = left_; column < model.columnCount() && firstPlace_ < 0; ++column) {
                const QString text = model.index(row, column).data().toString();
                if (text == one || text == localOne) firstPlace_ = place(row, column);
            }
        }
    }

    // Invalid for a header cell, or where the table is not laid out as above.
    QDate dateOf(const QModelIndex& cell) const {
        if (firstPlace_ < 0 || cell.model() != &model_ || cell.row() < top_ || cell.column() < left_) return {};
        return first_.addDays(place(cell.row(), cell.column()) - firstPlace_);
    }

    // None where `date` has no cell on the page.
    QModelIndex cellOf(QDate date) const {
        if (firstPlace_ < 0 || !date.isValid()) return {};
        const qint64 place = firstPlace_ + (date.toJulianDay() - first_.toJulianDay());
        if (place < 0 || place >= qint64{model_.rowCount() - top_} * daysInWeek) return {};
        return model_.index(top_ + static_cast<int>(place / daysInWeek), left_ + static_cast<int>(place % daysInWeek));
    }

private:
    static constexpr int daysInWeek = 7;
    int place(int row, int column) const { return (row - top_) * daysInWeek + column - left_; }

    const QAbstractItemModel& model_;
    int top_;
    int left_;
    QDate first_;
    int firstPlace_ = -1;
};

} // namespace

QCalendar usersCalendarOf(QDate date) {
    static const qint64 firstGregorianDay = QDate(1582, 10, 15, gregorian()).toJulianDay();
    return date.toJulianDay() < firstGregorianDay ? julian() : gregorian();
}

QDate usersDate(int year, int month, int day) {
    const bool beforeReform = std::tie(year, month, day) < std::make_tuple(1582, 10, 15);
    const QDate date(year, month, day, beforeReform ? julian() : gregorian());
    const QCalendar::YearMonthDay own = usersCalendarOf(date).partsFromDate(date);
    return own.year == year && own.month == month && own.day == day ? date : QDate();
}

ReformCalendarWidget::ReformCalendarWidget(QWidget* parent)
    : QCalendarWidget(parent),
      yearEdit_(findChild<QSpinBox*>(QStringLiteral("qt_calendar_yearedit"))),
      yearButton_(findChild<QToolButton*>(QStringLiteral("qt_calendar_yearbutton"))),
      cells_(findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"))) {
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

// A day shown from outside (Today, say, pressed while the year field was
// open) outranks a year typed before it.
void ReformCalendarWidget::showDay(QDate date) {
    typedYear_.reset();
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

// The keyboard cursor: the cell that the arrow keys step from and that Qt
// keeps as its table's current cell.
QDate ReformCalendarWidget::cursorDate() const {
    if (!cells_ || !cells_->model()) return {};
    return PageCells(*this, *cells_->model()).dateOf(cells_->currentIndex());
}

void ReformCalendarWidget::putCursorOn(QDate date) {
    if (!cells_ || !cells_->model() || !cells_->selectionModel()) return;
    const QModelIndex cell = PageCells(*this, *cells_->model()).cellOf(date);
    if (cell.isValid()) cells_->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
}

// Qt fills the year field itself, while it is hidden, when it opens it and
// whenever the page turns; only what is typed while it is open counts.
void ReformCalendarWidget::yearTyped(int year) {
    if (!yearEdit_->isVisible()) return;
    if (!typedYear_) {
        yearBeforeTyping_ = yearShown();
        monthBeforeTyping_ = monthShown();
        cursorBeforeTyping_ = cursorDate();
    }
    typedYear_ = year;
}

// Qt turns the page by adding the difference between the typed year and the
// shown one to the cursor's day in the calendar of the page it leaves: it
// skips the year 0 its calendars lack, and once the page's calendar changes
// on the way, the cursor's instant is another day, or the page none at all.
// From here the page goes to the year typed, in its own calendar, and the
// cursor to its day there.
void ReformCalendarWidget::keepTypedYear() {
    if (!typedYear_) return;
    const int typed = *typedYear_;
    typedYear_.reset();
    const int year = typed == 0 ? yearBeforeTyping_ : typed;
    const int month = monthBeforeTyping_;
    followPage(year, month);
    setCurrentPage(year, month);

    QDate cursor = cursorBeforeTyping_;
    if (year != yearBeforeTyping_ && cursor.isValid()) {
        int day = usersCalendarOf(cursor).partsFromDate(cursor).day;
        for (cursor = usersDate(year, month, day); !cursor.isValid() && day > 1;)
            cursor = usersDate(year, month, --day);
    }
    putCursorOn(cursor);
}

// Every way of leaving the year field (Return, Escape, a click elsewhere, the
// focus moving on) hides it before Qt turns the page, so the typed year is
// put right once Qt is done. A field hidden with the keyboard in it would
// hand the keyboard to the next widget in the window's chain (in the sheet,
// the time field): the grid takes it back, so that the arrows go on moving
// the day on the page just chosen. Where the user sent the keyboard elsewhere
// (Tab, a click on another field), it stays there. Qt writes the year
// button's text itself, in its own form ("-0044"), at several points; it is
// put right before it is painted.
bool ReformCalendarWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == yearEdit_ && event->type() == QEvent::Hide) {
        if (window()->focusWidget() == yearEdit_) setFocus(Qt::OtherFocusReason);
        if (typedYear_) QMetaObject::invokeMethod(this, &ReformCalendarWidget::keepTypedYear, Qt::QueuedConnection);
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
