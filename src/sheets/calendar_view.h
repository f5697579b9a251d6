#pragma once
// The calendar sheet: the user picks the day and the time of day that the main
// window shows. The sheet edits a working copy of its own, which starts, each
// time the sheet comes on screen, on the main window's selected day at the
// present time of day, with the keyboard in the day grid. Only "Done" writes the
// copy back to `theDate` and then inverts `refreshInfo`; "Today" moves the copy
// to the present instant; "Cancel", Escape and the window's close button drop it
// and write nothing.

#include "platform/core/date.h"
#include "sheets/binding.h"

#include <QDialog>

#include <functional>

class QPushButton;

namespace sheets {

class DateTimePicker;
class SheetTitleBar;

class CalendarView : public QDialog {
    Q_OBJECT

public:
    using Clock = std::function<platform::Date()>;

    // `now` tells the present instant; the system clock unless a test sets one.
    CalendarView(Binding<platform::Date> theDate, Binding<bool> refreshInfo, QWidget* parent = nullptr,
                 Clock now = &platform::Date::now);

    // Writes the working copy to `theDate`, inverts `refreshInfo` and closes.
    void acceptDateAndClose();

    // The working copy.
    platform::Date date() const noexcept { return date_; }

    DateTimePicker* picker() const noexcept { return picker_; }
    QPushButton* doneButton() const noexcept;
    QPushButton* todayButton() const noexcept { return today_; }
    QPushButton* cancelButton() const noexcept { return cancel_; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void appear();
    void moveToToday();

    Binding<platform::Date> theDate_;
    Binding<bool> refreshInfo_;
    Clock now_;
    platform::Date date_;

    SheetTitleBar* titleBar_;
    DateTimePicker* picker_;
    QPushButton* today_;
    QPushButton* cancel_;
};

} // namespace sheets
