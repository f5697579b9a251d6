#include "app/utilities.h"

#include "app/user_settings.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

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

QPalette darkPalette() {
    // Fusion draws the frames of check boxes and fields a shade darker than the
    // window, so the base sits well below that shade for the frames to show.
    const QColor window(53, 53, 53);
    const QColor base(20, 20, 20);
    const QColor text(230, 230, 230);
    const QColor placeholderText(127, 127, 127);
    const QColor disabledText(160, 160, 160);   // at least 4.5:1 on the window and the base
    const QColor highlight(42, 130, 218);

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
    p.setColor(QPalette::Link, highlight);
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
    if (QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    }
    QApplication::setPalette(style == InterfaceStyle::dark ? darkPalette() : QApplication::style()->standardPalette());
    currentStyle() = style;
}

void Utilities::overrideDisplayMode() {
    const UserSettings settings;
    applyInterfaceStyle(interfaceStyleForTheme(settings.theme()));
}

} // namespace app
