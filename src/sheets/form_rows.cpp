#include "sheets/form_rows.h"

#include "app/readable_colors.h"
#include "app/user_settings.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace sheets {
namespace {

QLabel* smallLabel(const QString& text, QWidget* parent) {
    auto* label = plainTextLabel(text, parent);
    QFont font = label->font();
    if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * 0.85);
    label->setFont(font);
    return label;
}

} // namespace

FormSection::FormSection(const QString& header, const QString& footer, QWidget* parent)
    : QWidget(parent), header_(smallLabel(header, this)) {
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setBackgroundRole(QPalette::Base);
    panel->setAutoFillBackground(true);
    rows_ = new QVBoxLayout(panel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 6, 0, 6);
    layout->addWidget(header_);
    layout->addWidget(panel);
    if (!footer.isEmpty()) {
        footer_ = smallLabel(footer, this);
        layout->addWidget(footer_);
    }
    colourNotes();
}

// The header and footer are a shade fainter than the rows' text, but never so
// faint that they stop being readable, in whatever palette is in force.
void FormSection::colourNotes() {
    QPalette notes;
    notes.setColor(QPalette::WindowText, app::secondaryTextColor(palette()));
    for (QLabel* label : {header_, footer_}) {
        if (label) label->setPalette(notes);
    }
}

void FormSection::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) colourNotes();
}

void FormSection::addRow(QWidget* row) { rows_->addWidget(row); }

ToggleRow::ToggleRow(const QString& label, app::UserSettings& settings, BoolPreference preference, QWidget* parent)
    : QWidget(parent), toggle_(new QCheckBox(QString(), this)), label_(layOutLabelledRow(this, label, toggle_)) {
    toggle_->setChecked((settings.*preference.get)());

    // Only the user's own switching writes; the preference's announcement moves the switch.
    connect(toggle_, &QCheckBox::clicked, &settings, [&settings, set = preference.set](bool on) { (settings.*set)(on); });
    connect(&settings, preference.changed, toggle_, [toggle = toggle_](bool on) {
        const QSignalBlocker quiet(toggle);
        toggle->setChecked(on);
    });
}

QLabel* plainTextLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QWidget* labelledRow(const QString& label, QWidget* control, QWidget* parent) {
    auto* row = new QWidget(parent);
    layOutLabelledRow(row, label, control);
    return row;
}

QLabel* layOutLabelledRow(QWidget* row, const QString& label, QWidget* control) {
    auto* text = new QLabel(label, row);
    text->setTextFormat(Qt::PlainText);
    text->setBuddy(control);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text);
    layout->addStretch(1);
    control->setParent(row);
    layout->addWidget(control);
    return text;
}

} // namespace sheets
