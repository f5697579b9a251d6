#pragma once
// One row of the user's own coordinates: a label and, at the trailing side, a
// field that shows and reads the degrees (coordinate_text.h).
//
// The row keeps the last valid value it has read: the stored one when it is
// loaded, and then whatever valid number the user confirms (Return, or the
// field losing the focus). Text that is no valid coordinate on the row's axis
// is marked as invalid, with what is wrong said under the field (no number as
// the locale writes numbers, "Latitude is not a number written like 51.509865",
// or a number out of range, "Latitude is between -90 and 90"), and leaves that
// value as it was. `take()` also reads
// what is typed but not yet confirmed, so nothing typed is lost when the row
// goes away.

#include "sheets/coordinate_text.h"

#include <QLineEdit>
#include <QWidget>

#include <optional>

class QLabel;

namespace sheets {

// Starting to edit selects the whole text, by mouse as by keyboard.
class CoordinateField : public QLineEdit {
    Q_OBJECT

public:
    explicit CoordinateField(QWidget* parent = nullptr);

    bool showsInvalid() const noexcept { return showsInvalid_; }
    void setShowsInvalid(bool invalid);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void colourText();
    bool showsInvalid_ = false;
    bool recolouring_ = false;
};

class CoordinateRow : public QWidget {
    Q_OBJECT

public:
    CoordinateRow(const QString& label, CoordinateAxis axis, QWidget* parent = nullptr);

    // Shows `stored`; it becomes the row's value when it is a valid coordinate.
    void load(double stored);

    // The row's value after reading the field's text as if it were confirmed;
    // none when neither the stored value nor anything typed was valid.
    std::optional<double> take();

    std::optional<double> value() const noexcept { return value_; }
    CoordinateAxis axis() const noexcept { return axis_; }
    QLabel* label() const noexcept { return label_; }
    CoordinateField* field() const noexcept { return field_; }
    // Under the field, shown while its text is no valid coordinate.
    QLabel* message() const noexcept { return message_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void confirm();
    std::optional<double> readField() const;
    void markValidity();
    void colourMessage();

    CoordinateAxis axis_;
    std::optional<double> value_;
    CoordinateField* field_;
    QWidget* line_;
    QLabel* label_;
    QLabel* message_;
};

} // namespace sheets
