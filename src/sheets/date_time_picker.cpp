#include "sheets/date_time_picker.h"

#include "sheets/local_fields.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace sheets {
namespace {

// QDate has no year 0: its year -1 is 1 BC, the astronomers' year 0.
QDate toQDate(LocalDay day) { return QDate(day.year <= 0 ? day.year - 1 : day.year, day.month, day.day); }

LocalDay fromQDate(QDate date) {
    const int year = date.year();
    return {year < 0 ? year + 1 : year, date.month(), date.day()};
}

} // namespace

DateTimePicker::DateTimePicker(QWidget* parent)
    : QWidget(parent), calendar_(new QCalendarWidget(this)), timeEdit_(new QTimeEdit(this)) {
    // No limit of our own: the widest span the calendar widget can page through.
    calendar_->setDateRange(QDate(-9999, 1, 1), QDate(9999, 12, 31));
    calendar_->setGridVisible(false);
    timeEdit_->setDisplayFormat(QStringLiteral("HH:mm"));

    auto* timeRow = new QHBoxLayout;
    timeRow->addStretch(1);
    timeRow->addWidget(timeEdit_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(calendar_);
    layout->addLayout(timeRow);

    connect(calendar_, &QCalendarWidget::selectionChanged, this, &DateTimePicker::dayPicked);
    connect(timeEdit_, &QTimeEdit::timeChanged, this, &DateTimePicker::timePicked);
    showDate();
}

void DateTimePicker::setDate(platform::Date date) {
    date_ = date;
    showDate();
}

void DateTimePicker::dayPicked() {
    const QDate picked = calendar_->selectedDate();
    if (!picked.isValid()) return;
    const auto moved = onDay(date_, fromQDate(picked));
    if (moved) date_ = *moved;
    showDate();
    if (moved) emit dateChanged(date_);
}

void DateTimePicker::timePicked() {
    const QTime picked = timeEdit_->time();
    if (!picked.isValid()) return;
    const auto moved = atHourAndMinute(date_, picked.hour(), picked.minute());
    if (moved) date_ = *moved;
    showDate();
    if (moved) emit dateChanged(date_);
}

// The widgets follow the instant, also where the calendar moved a picked time
// out of a gap of the clocks, or a picked day the widget cannot hold.
void DateTimePicker::showDate() {
    const QSignalBlocker blockCalendar(calendar_);
    const QSignalBlocker blockTime(timeEdit_);
    const QDate day = toQDate(localDay(date_));
    if (day.isValid()) {
        calendar_->setSelectedDate(day);
        calendar_->setCurrentPage(day.year(), day.month());
    }
    const ClockTime time = clockTime(date_);
    timeEdit_->setTime(QTime(time.hour, time.minute));
}

} // namespace sheets
