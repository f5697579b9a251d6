#pragma once
// The pieces the preferences sheet is built of: a section (a header above a
// panel of rows, and an optional footer below it) and a switch row bound to one
// on/off preference of UserSettings.

#include <QWidget>

class QCheckBox;
class QLabel;
class QVBoxLayout;

namespace app {
class UserSettings;
}

namespace sheets {

class FormSection : public QWidget {
    Q_OBJECT

public:
    // No footer when `footer` is empty.
    FormSection(const QString& header, const QString& footer, QWidget* parent = nullptr);

    void addRow(QWidget* row);

    QLabel* header() const noexcept { return header_; }
    QLabel* footer() const noexcept { return footer_; }   // null without one

protected:
    void changeEvent(QEvent* event) override;

private:
    void colourNotes();

    QLabel* header_;
    QLabel* footer_ = nullptr;
    QVBoxLayout* rows_;
};

// How a switch row reaches its preference.
struct BoolPreference {
    bool (app::UserSettings::*get)() const;
    void (app::UserSettings::*set)(bool);
    void (app::UserSettings::*changed)(bool);
};

// A label and a switch without a title of its own. Switching writes the
// preference at once; the switch follows every change of the preference.
class ToggleRow : public QWidget {
    Q_OBJECT

public:
    ToggleRow(const QString& label, app::UserSettings& settings, BoolPreference preference,
              QWidget* parent = nullptr);

    QLabel* label() const noexcept { return label_; }
    QCheckBox* toggle() const noexcept { return toggle_; }

private:
    QCheckBox* toggle_;
    QLabel* label_;
};

// A label that shows its text as it stands (never as rich text), wrapped.
QLabel* plainTextLabel(const QString& text, QWidget* parent);

// A row of a label and, at the trailing side, a control.
QWidget* labelledRow(const QString& label, QWidget* control, QWidget* parent = nullptr);

// Lays `row` out as such a row, without margins; the label, plain text, is the
// control's buddy. Returns the label.
QLabel* layOutLabelledRow(QWidget* row, const QString& label, QWidget* control);

} // namespace sheets
