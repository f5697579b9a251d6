#include "app/utilities.h"

#include "app/contrast_style.h"
#include "app/user_settings.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>

namespace app {
namespace {

struct SystemLook {
    QString styleName;
    QPalette palette;
};

// What the program looked like before it first changed its appearance.
std::optional<SystemLook>& systemLook() {
    static std::optional<SystemLook> look;
    return look;
}

InterfaceStyle& currentStyle() {
    static InterfaceStyle style = InterfaceStyle::unspecified;
    return style;
}

// Every text colour of both palettes reads at 4.5:1 or more on its ground, the
// disabled ones included; the frames of controls come from ContrastStyle.
QPalette darkPalette() {
    const QColor window(53, 53, 53);
    const QColor base(20, 20, 20);
    const QColor text(230, 230, 230);
    const QColor placeholderText(160, 160, 160);   // 4.7:1 on the window
    const QColor disabledText(160, 160, 160);
    const QColor highlight(42, 130, 218);          // black text on it: 5.3:1
    const QColor link(100, 170, 240);              // 5.0:1 on the window

    QPalette p;
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, window);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, placeholderText);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Link, link);
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Light, window.lighter(150));
    p.setColor(QPalette::Midlight, window.lighter(125));
    p.setColor(QPalette::Mid, window.darker(120));
    p.setColor(QPalette::Dark, window.darker(150));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::WindowText, disabledText);
    p.setColor(QPalette::Disabled, QPalette::Text, disabledText);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, disabledText);
    p.setColor(QPalette::Disabled, QPalette::HighlightedText, disabledText);
    // Fusion etches disabled text with this colour one pixel down and right; a
    // light etch on a dark window blurs the letters, so it melts into the window.
    p.setColor(QPalette::Disabled, QPalette::Light, window);
    return p;
}

// Fusion's own light palette, but for the colours that read too faintly: its
// placeholder text (black at half opacity, 4:1), its disabled text (1.5:1) and
// white text on its highlight (3.7:1).
QPalette lightPalette(const QStyle& style) {
    const QColor secondaryText(105, 105, 105);   // 4.8:1 on the window
    QPalette p = style.standardPalette();
    p.setColor(QPalette::PlaceholderText, secondaryText);
    p.setColor(QPalette::Highlight, QColor(0, 100, 170));   // white text on it: 6.2:1
    p.setColor(QPalette::Disabled, QPalette::WindowText, secondaryText);
    p.setColor(QPalette::Disabled, QPalette::Text, secondaryText);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, secondaryText);
    return p;
}

} // namespace

InterfaceStyle interfaceStyleForTheme(qint64 theme) noexcept {
    if (theme == 2) return InterfaceStyle::dark;
    if (theme == 1) return InterfaceStyle::light;
    return InterfaceStyle::unspecified;
}

InterfaceStyle appliedInterfaceStyle() noexcept { return currentStyle(); }

void applyInterfaceStyle(InterfaceStyle style) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;

    auto& look = systemLook();
    if (style == InterfaceStyle::unspecified) {
        if (look) {
            QApplication::setStyle(look->styleName);
            QApplication::setPalette(look->palette);
        }
        currentStyle() = style;
        return;
    }

    if (!look) look = SystemLook{QApplication::style()->name(), QApplication::palette()};
    if (!qobject_cast<ContrastStyle*>(QApplication::style())) QApplication::setStyle(new ContrastStyle);
    QApplication::setPalette(style == InterfaceStyle::dark ? darkPalette() : lightPalette(*QApplication::style()));
    currentStyle() = style;
}

void Utilities::overrideDisplayMode() {
    const UserSettings settings;
    applyInterfaceStyle(interfaceStyleForTheme(settings.theme()));
}

} // namespace app
