#pragma once
// A picker of a day and a time of day (hour and minute) that edits one instant:
// a month calendar in the user's calendar (reform_calendar_widget.h) above a
// clock-time field. Picking a day keeps the clock time
// and picking a time keeps the day and the seconds, both in the user's calendar
// and time zone (see local_fields.h for the clocks' changes).

#include "platform/core/date.h"

#include <QWidget>

class QTimeEdit;

namespace sheets {

class ReformCalendarWidget;

class DateTimePicker : public QWidget {
    Q_OBJECT

public:
    explicit DateTimePicker(QWidget* parent = nullptr);

    platform::Date date() const noexcept { return date_; }
    // Shows `date` as it is; announces nothing.
    void setDate(platform::Date date);

    ReformCalendarWidget* calendar() const noexcept { return calendar_; }
    QTimeEdit* timeEdit() const noexcept { return timeEdit_; }

signals:
    // After the user has picked another day or time.
    void dateChanged(platform::Date date);

private:
    void dayPicked();
    void timePicked();
    void showDate();

    platform::Date date_;
    ReformCalendarWidget* calendar_;
    QTimeEdit* timeEdit_;
};

} // namespace sheets
