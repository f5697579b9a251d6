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
    const QColor window(53, 53, 53);
    const QColor base(35, 35, 35);
    const QColor text(230, 230, 230);
    const QColor disabledText(127, 127, 127);
    const QColor highlight(42, 130, 218);

    QPalette p;
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, window);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, disabledText);
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
