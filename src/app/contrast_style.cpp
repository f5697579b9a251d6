#include "app/contrast_style.h"

#include "app/readable_colors.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace app {
namespace {

enum class Outline { square, rounded, round };

bool keyboardFocused(const QStyleOption& option) {
    return (option.state & QStyle::State_HasFocus) && (option.state & QStyle::State_KeyboardFocusChange);
}

// On the pixels of Fusion's own one-pixel outline: the rectangle's edge, half a
// pixel in, as Fusion strokes it.
void drawOutline(QPainter* painter, const QStyleOption& option, Outline shape) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, shape != Outline::square);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(controlFrameColor(option.palette), 1.0));
    const QRectF edge = QRectF(option.rect).adjusted(0.5, 0.5, -0.5, -0.5);
    switch (shape) {
    case Outline::square:
        painter->drawRect(edge);
        break;
    case Outline::rounded:
        painter->drawRoundedRect(edge, 2.0, 2.0);
        break;
    case Outline::round:
        painter->drawEllipse(edge);
        break;
    }
    painter->restore();
}

} // namespace

ContrastStyle::ContrastStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void ContrastStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                  const QWidget* widget) const {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (!option || !painter || keyboardFocused(*option)) return;
    switch (element) {
    case PE_IndicatorCheckBox:
        drawOutline(painter, *option, Outline::square);
        break;
    case PE_IndicatorRadioButton:
        drawOutline(painter, *option, Outline::round);
        break;
    case PE_FrameLineEdit:
        if (!(option->state & State_HasFocus)) drawOutline(painter, *option, Outline::rounded);
        break;
    default:
        break;
    }
}

void ContrastStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                       const QWidget* widget) const {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (!option || !painter || (option->state & State_HasFocus)) return;
    if (const auto* spin = qstyleoption_cast<const QStyleOptionSpinBox*>(option); spin && spin->frame) {
        drawOutline(painter, *option, Outline::rounded);
    } else if (const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option); combo && combo->frame) {
        drawOutline(painter, *option, Outline::rounded);
    }
}

} // namespace app
