// The appearance preference applied to the whole application, and the colour
// adjustments the season colours are made with.

#include "app/utilities.h"

#include "app/settings_store.h"
#include "app/user_settings.h"
#include "engine/color_adjustment.h"
#include "support/qt_test_application.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QStyle>

#include <gtest/gtest.h>

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

void expectColor(const std::optional<platform::Color>& c, double r, double g, double b, double a) {
    ASSERT_TRUE(c.has_value());
    EXPECT_NEAR(c->red, r, 1e-12);
    EXPECT_NEAR(c->green, g, 1e-12);
    EXPECT_NEAR(c->blue, b, 1e-12);
    EXPECT_EQ(c->alpha, a);
}

TEST(ColorAdjustment, LightensAndDarkensByAPercentageOfFullScale) {
    const platform::Color grey{0.5, 0.5, 0.5, 1.0};
    expectColor(engine::lighter(grey), 0.8, 0.8, 0.8, 1.0);
    expectColor(engine::lighter(grey, 20), 0.7, 0.7, 0.7, 1.0);
    expectColor(engine::lighter(grey, 80), 1.0, 1.0, 1.0, 1.0);
    EXPECT_EQ(engine::lighter(grey, -20), engine::lighter(grey, 20));
    expectColor(engine::darker(grey, 15), 0.35, 0.35, 0.35, 1.0);
    expectColor(engine::darker(platform::Color{0.2, 0.5, 1.0, 1.0}, 30), -0.1, 0.2, 0.7, 1.0);
    expectColor(engine::darker(platform::Color{1.0, 1.0, 1.0, 0.5}, 15), 0.85, 0.85, 0.85, 0.5);
}

} // namespace
