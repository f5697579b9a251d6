#include "sheets/theme_row.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace sheets {
namespace {

constexpr int checkmarkSide = 14;

// A tick drawn in the text colour, so that it follows the light or dark theme.
class Checkmark : public QWidget {
public:
    explicit Checkmark(QWidget* parent) : QWidget(parent) {
        setFixedSize(checkmarkSide, checkmarkSide);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPen pen(palette().color(QPalette::Text), 2.0);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        QPainterPath tick;
        tick.moveTo(2.0, 7.5);
        tick.lineTo(5.5, 11.0);
        tick.lineTo(12.0, 3.0);
        painter.drawPath(tick);
    }
};

} // namespace

ThemeRow::ThemeRow(const QString& label, qint64 value, QWidget* parent)
    : QAbstractButton(parent), value_(value), label_(new QLabel(label, this)), checkmark_(new Checkmark(this)) {
    setText(label);
    setFocusPolicy(Qt::StrongFocus);
    label_->setTextFormat(Qt::PlainText);
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    checkmark_->hide();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 2);
    layout->addWidget(label_);
    layout->addStretch(1);
    layout->addWidget(checkmark_);
}

bool ThemeRow::isMarked() const noexcept { return !checkmark_->isHidden(); }

void ThemeRow::setMarked(bool marked) { checkmark_->setVisible(marked); }

QSize ThemeRow::sizeHint() const { return layout()->sizeHint(); }

void ThemeRow::paintEvent(QPaintEvent*) {
    if (!hasFocus()) return;
    QStylePainter painter(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
}

} // namespace sheets
