#include "sheets/date_time_picker.h"

#include "sheets/local_fields.h"
#include "sheets/reform_calendar_widget.h"

#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace sheets {
namespace {

// The local day's fields are those of the user's calendar (Julian before the
// reform), and so are the QDate's parts read back.
QDate toQDate(LocalDay day) { return usersDate(qtYear(day.year), day.month, day.day); }

LocalDay fromQDate(QDate date) {
    const QCalendar::YearMonthDay parts = usersCalendarOf(date).partsFromDate(date);
    return {astronomicalYear(parts.year), parts.month, parts.day};
}

} // namespace

DateTimePicker::DateTimePicker(QWidget* parent)
    : QWidget(parent), calendar_(new ReformCalendarWidget(this)), timeEdit_(new QTimeEdit(this)) {
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
    if (day.isValid()) calendar_->showDay(day);
    const ClockTime time = clockTime(date_);
    timeEdit_->setTime(QTime(time.hour, time.minute));
}

} // namespace sheets
