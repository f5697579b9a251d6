#pragma once
// NOTIFICATIONS: whether, which, how many days ahead and at what time of day
// the main window notifies. Every control writes its preference at once; the
// rows after "Allow notifications" are there only while it is on. Nothing is
// scheduled from here: the main window reschedules when the sheet closes.

#include "sheets/form_rows.h"

class QComboBox;
class QTimeEdit;

namespace sheets {

class NotificationsSection : public FormSection {
    Q_OBJECT

public:
    explicit NotificationsSection(app::UserSettings& settings, QWidget* parent = nullptr);

    ToggleRow* allowRow() const noexcept { return allow_; }
    // Rows 2 to 9, shown only while notifications are wanted.
    QWidget* eventRows() const noexcept { return eventRows_; }
    ToggleRow* festivalsRow() const noexcept { return festivals_; }
    ToggleRow* seasonsRow() const noexcept { return seasons_; }
    ToggleRow* solsticeRow() const noexcept { return solstice_; }
    ToggleRow* equinoxRow() const noexcept { return equinox_; }
    ToggleRow* easterRow() const noexcept { return easter_; }
    QComboBox* daysBefore() const noexcept { return daysBefore_; }
    QTimeEdit* timeOfDay() const noexcept { return timeOfDay_; }
    ToggleRow* astronomicalDatesRow() const noexcept { return astronomical_; }

private:
    void showDaysBefore(qint64 days);
    void showTimeOfDay();
    void timeOfDayPicked();

    app::UserSettings& settings_;
    ToggleRow* allow_;
    QWidget* eventRows_;
    ToggleRow* festivals_;
    ToggleRow* seasons_;
    ToggleRow* solstice_;
    ToggleRow* equinox_;
    ToggleRow* easter_;
    QComboBox* daysBefore_;
    QTimeEdit* timeOfDay_;
    ToggleRow* astronomical_;
};

} // namespace sheets
