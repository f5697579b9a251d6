// The appearance preference applied to the whole application, and the colour
// adjustments the season colours are made with.

#include "app/utilities.h"

#include "app/settings_store.h"
#include "app/user_settings.h"
#include "support/qt_test_application.h"

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using app::InterfaceStyle;

bool looksDark() { return QApplication::palette().color(QPalette::Window).lightness() < 128; }
bool looksLight() { return QApplication::palette().color(QPalette::Window).lightness() >= 128; }

class Theme : public testing::Test {
protected:
    void SetUp() override {
        app::resetDefaults();
        app::applyInterfaceStyle(InterfaceStyle::unspecified);
        systemStyle = QApplication::style()->name();
        systemWindow = QApplication::palette().color(QPalette::Window);
    }
    void TearDown() override {
        app::applyInterfaceStyle(InterfaceStyle::unspecified);
        app::resetDefaults();
    }
    QString systemStyle;
    QColor systemWindow;
};

TEST_F(Theme, TwoIsDarkOneIsLightAndEveryOtherValueFollowsTheSystem) {
    EXPECT_EQ(app::interfaceStyleForTheme(2), InterfaceStyle::dark);
    EXPECT_EQ(app::interfaceStyleForTheme(1), InterfaceStyle::light);
    EXPECT_EQ(app::interfaceStyleForTheme(0), InterfaceStyle::unspecified);
    EXPECT_EQ(app::interfaceStyleForTheme(5), InterfaceStyle::unspecified);
    EXPECT_EQ(app::interfaceStyleForTheme(3), InterfaceStyle::unspecified);
    EXPECT_EQ(app::interfaceStyleForTheme(-1), InterfaceStyle::unspecified);
}

TEST_F(Theme, OverrideDisplayModeAppliesTheStoredThemeToTheWholeApplication) {
    app::UserSettings settings;
    app::Utilities utilities;
    QLineEdit field;   // a widget already on screen follows the change too
    field.show();

    settings.setTheme(2);
    utilities.overrideDisplayMode();
    EXPECT_EQ(app::appliedInterfaceStyle(), InterfaceStyle::dark);
    EXPECT_TRUE(looksDark());
    QCoreApplication::processEvents();
    EXPECT_LT(field.palette().color(QPalette::Base).lightness(), 128);
    EXPECT_EQ(QApplication::style()->name().toLower(), QStringLiteral("fusion"));

    settings.setTheme(1);
    utilities.overrideDisplayMode();
    EXPECT_EQ(app::appliedInterfaceStyle(), InterfaceStyle::light);
    EXPECT_TRUE(looksLight());
    QCoreApplication::processEvents();
    EXPECT_GE(field.palette().color(QPalette::Base).lightness(), 128);

    settings.setTheme(0);
    utilities.overrideDisplayMode();
    EXPECT_EQ(app::appliedInterfaceStyle(), InterfaceStyle::unspecified);
    EXPECT_EQ(QApplication::style()->name(), systemStyle);
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), systemWindow);
}

TEST_F(Theme, AnUnknownThemeReturnsToTheSystemLook) {
    app::UserSettings settings;
    app::Utilities utilities;
    settings.setTheme(2);
    utilities.overrideDisplayMode();
    ASSERT_TRUE(looksDark());
    settings.setTheme(5);
    utilities.overrideDisplayMode();
    EXPECT_EQ(app::appliedInterfaceStyle(), InterfaceStyle::unspecified);
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), systemWindow);
}

// CIE lightness L* (0 black to 100 white) and the WCAG contrast ratio of two colours.
double relativeLuminance(const QColor& c) {
    auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}
double lightness(const QColor& c) {
    const double y = relativeLuminance(c);
    return y > 216.0 / 24389.0 ? 116.0 * std::cbrt(y) - 16.0 : y * 24389.0 / 27.0;
}
double contrast(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(Theme, AnUncheckedBoxInTheDarkThemeShowsItsFrame) {
    app::UserSettings().setTheme(2);
    app::Utilities().overrideDisplayMode();
    ASSERT_TRUE(looksDark());

    QCheckBox box(QStringLiteral("Notify on Easter"));
    box.resize(box.sizeHint());
    const QImage image = box.grab().toImage();
    QStyleOptionButton option;
    option.initFrom(&box);
    const QRect indicator = box.style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, &box);
    ASSERT_TRUE(image.rect().contains(indicator));
    const QColor frame = image.pixelColor(indicator.left(), indicator.center().y());
    const QColor inside = image.pixelColor(indicator.center());
    const QColor window = QApplication::palette().color(QPalette::Window);
    EXPECT_GE(std::abs(lightness(frame) - lightness(inside)), 8.0) << "the frame melts into the box";
    EXPECT_GE(std::abs(lightness(inside) - lightness(window)), 12.0) << "the box melts into the window";
}

TEST_F(Theme, DisabledTextInTheDarkThemeIsReadable) {
    app::UserSettings().setTheme(2);
    app::Utilities().overrideDisplayMode();
    const QPalette palette = QApplication::palette();
    for (const auto text : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        const QColor disabled = palette.color(QPalette::Disabled, text);
        for (const auto ground : {QPalette::Window, QPalette::Base, QPalette::Button}) {
            EXPECT_GE(contrast(disabled, palette.color(QPalette::Disabled, ground)), 4.5) << text << " on " << ground;
        }
        EXPECT_GE(lightness(palette.color(QPalette::Active, text)) - lightness(disabled), 15.0)
            << "disabled text still looks disabled";
    }
    // Fusion etches disabled text in this colour, one pixel off: on a dark
    // window a light etch doubles the letters.
    if (QApplication::style()->styleHint(QStyle::SH_EtchDisabledText)) {
        EXPECT_EQ(palette.color(QPalette::Disabled, QPalette::Light), palette.color(QPalette::Disabled, QPalette::Window));
    }
}

TEST_F(Theme, TheNewValueIsUsedRightAfterItWasSetThroughAnotherInstance) {
    app::Utilities utilities;
    app::UserSettings::shared().setTheme(2);
    utilities.overrideDisplayMode();
    EXPECT_TRUE(looksDark());
    app::UserSettings::shared().setTheme(0);
}

TEST_F(Theme, UtilitiesStartsWithADarkSchemeThatNothingReads) {
    app::Utilities utilities;
    EXPECT_EQ(utilities.userInterfaceStyle(), app::ColorScheme::dark);
}

} // namespace
