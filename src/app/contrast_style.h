#pragma once
// Fusion, as the program's light and dark themes draw with it, with the frames
// of check boxes, radio buttons, fields, spin boxes and drop-down lists drawn
// again in a colour that stands out from the window and the base (at 3:1,
// readable_colors.h). Fusion derives its frames from the window colour, a shade
// darker, which on a dark window all but disappears (1.3:1).
//
// A control with the keyboard focus keeps Fusion's highlighted frame.

#include <QProxyStyle>

namespace app {

class ContrastStyle : public QProxyStyle {
    Q_OBJECT

public:
    // Over Fusion.
    ContrastStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
};

} // namespace app
