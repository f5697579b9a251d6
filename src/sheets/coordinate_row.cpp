#include "sheets/coordinate_row.h"

#include "sheets/form_rows.h"

#include "app/fixed_values.h"
#include "app/readable_colors.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QPalette>
#include <QTimer>
#include <QVBoxLayout>

namespace sheets {

CoordinateField::CoordinateField(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void CoordinateField::setShowsInvalid(bool invalid) {
    if (invalid == showsInvalid_) return;
    showsInvalid_ = invalid;
    colourText();
}

// Only the text colour is ours, a red readable on the field's ground in the
// palette in force; everything else follows the theme.
void CoordinateField::colourText() {
    QPalette shown;
    if (showsInvalid_) {
        const QWidget* ground = parentWidget() ? parentWidget() : this;
        shown.setColor(QPalette::Text, app::errorTextColor(ground->palette()));
    }
    setPalette(shown);
}

void CoordinateField::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && showsInvalid_ && !recolouring_) {
        recolouring_ = true;
        colourText();
        recolouring_ = false;
    }
}

void CoordinateField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // A mouse press places the cursor after the focus arrives; select once it has.
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

namespace {

// The numbers in it are written as the user's locale writes them: the
// example shows its decimal separator (London, the fallback position).
QString faultMessage(CoordinateAxis axis, CoordinateFault fault) {
    const QLocale locale;
    const bool latitude = axis == CoordinateAxis::latitude;
    if (fault == CoordinateFault::notANumber) {
        const QString example = coordinateText(latitude ? app::LondonLat : app::LondonLon, locale);
        return latitude ? CoordinateRow::tr("Latitude is not a number written like %1").arg(example)
                        : CoordinateRow::tr("Longitude is not a number written like %1").arg(example);
    }
    const double limit = app::coordinateLimit(axis);
    const QString low = locale.toString(-limit);
    const QString high = locale.toString(limit);
    return latitude ? CoordinateRow::tr("Latitude is between %1 and %2").arg(low, high)
                    : CoordinateRow::tr("Longitude is between %1 and %2").arg(low, high);
}

} // namespace

CoordinateRow::CoordinateRow(const QString& label, CoordinateAxis axis, QWidget* parent)
    : QWidget(parent),
      axis_(axis),
      field_(new CoordinateField),
      line_(new QWidget(this)),
      label_(layOutLabelledRow(line_, label, field_)),
      message_(plainTextLabel(QString(), this)) {
    message_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    message_->hide();
    colourMessage();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(line_);
    layout->addWidget(message_);

    connect(field_, &QLineEdit::editingFinished, this, &CoordinateRow::confirm);
    connect(field_, &QLineEdit::textChanged, this, &CoordinateRow::markValidity);
}

void CoordinateRow::colourMessage() {
    QPalette shown;
    shown.setColor(QPalette::WindowText, app::errorTextColor(palette()));
    message_->setPalette(shown);
}

void CoordinateRow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) colourMessage();
}

void CoordinateRow::load(double stored) {
    value_ = isValidCoordinate(stored, axis_) ? std::optional<double>(stored) : std::nullopt;
    field_->setText(coordinateText(stored));
    markValidity();
}

std::optional<double> CoordinateRow::take() {
    if (const auto typed = readField()) value_ = *typed;
    return value_;
}

// The field shows at most ten fraction digits; while it still shows the row's
// value, that value stands, so a stored coordinate with more digits is written
// back unchanged rather than rounded.
std::optional<double> CoordinateRow::readField() const {
    const QString text = field_->text();
    if (value_ && text == coordinateText(*value_)) return value_;
    return readCoordinate(text, axis_);
}

void CoordinateRow::confirm() {
    const auto typed = readField();
    if (!typed) return;
    value_ = *typed;
    field_->setText(coordinateText(*typed));
}

// The field's text turns red and what is wrong is said under it; the last
// valid value stands meanwhile.
void CoordinateRow::markValidity() {
    const auto fault = coordinateFault(field_->text(), axis_);
    if (fault) message_->setText(faultMessage(axis_, *fault));
    field_->setShowsInvalid(fault.has_value());
    message_->setVisible(fault.has_value());
    field_->setAccessibleDescription(fault ? message_->text() : QString());
}

} // namespace sheets
