// The appearance preference applied to the whole application, and the colour
// adjustments the season colours are made with.

#include "app/utilities.h"

#include "app/contrast_style.h"
#include "app/readable_colors.h"
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
    ASSERT_NE(qobject_cast<app::ContrastStyle*>(QApplication::style()), nullptr);
    EXPECT_EQ(qobject_cast<app::ContrastStyle*>(QApplication::style())->baseStyle()->name(), QStringLiteral("fusion"));

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

// Both of the program's own themes, as WCAG 2.1 AA asks: text at 4.5:1 on its
// ground, the boundaries of controls at 3:1. The ratios are worked out here,
// independently of the program's own.
class ThemeContrast : public Theme, public testing::WithParamInterface<qint64> {
protected:
    void SetUp() override {
        Theme::SetUp();
        app::UserSettings().setTheme(GetParam());
        app::Utilities().overrideDisplayMode();
        ASSERT_EQ(app::appliedInterfaceStyle(), app::interfaceStyleForTheme(GetParam()));
    }
    static QPalette palette() { return QApplication::palette(); }
};

TEST_P(ThemeContrast, EveryTextReadsOnItsGround) {
    const QPalette p = palette();
    const std::pair<QPalette::ColorRole, QPalette::ColorRole> pairs[] = {
        {QPalette::WindowText, QPalette::Window}, {QPalette::Text, QPalette::Base},
        {QPalette::ButtonText, QPalette::Button}, {QPalette::HighlightedText, QPalette::Highlight},
        {QPalette::ToolTipText, QPalette::ToolTipBase}, {QPalette::PlaceholderText, QPalette::Base},
        {QPalette::PlaceholderText, QPalette::Window}, {QPalette::Link, QPalette::Base},
        {QPalette::Link, QPalette::Window}};
    for (const auto& [text, ground] : pairs) {
        EXPECT_GE(contrast(p.color(QPalette::Active, text), p.color(QPalette::Active, ground)), 4.5)
            << text << " on " << ground;
    }
    for (const auto text : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        const QColor disabled = p.color(QPalette::Disabled, text);
        for (const auto ground : {QPalette::Window, QPalette::Base, QPalette::Button}) {
            EXPECT_GE(contrast(disabled, p.color(QPalette::Disabled, ground)), 4.5) << text << " on " << ground;
        }
        EXPECT_GE(std::abs(lightness(p.color(QPalette::Active, text)) - lightness(disabled)), 15.0)
            << "disabled text still looks disabled";
    }
    // The notes under the preferences' sections, and the red of a value that
    // cannot be taken.
    for (const auto ground : {QPalette::Window, QPalette::Base}) {
        EXPECT_GE(contrast(app::secondaryTextColor(p), p.color(ground)), 4.5) << ground;
    }
    EXPECT_GE(contrast(app::errorTextColor(p), p.color(QPalette::Base)), 4.5);
    EXPECT_GT(app::errorTextColor(p).red(), app::errorTextColor(p).green() + 60) << "still a red";
}

TEST_P(ThemeContrast, TheFramesOfControlsStandOut) {
    const QPalette p = palette();
    for (const auto ground : {QPalette::Window, QPalette::Base}) {
        EXPECT_GE(contrast(app::controlFrameColor(p), p.color(ground)), 3.0) << ground;
    }
    EXPECT_GE(contrast(p.color(QPalette::Highlight), p.color(QPalette::Window)), 3.0) << "the focus frame";
}

// The frame drawn is the frame worked out: an unchecked box and a field, as
// they appear on screen.
TEST_P(ThemeContrast, AnUncheckedBoxAndAFieldAreDrawnWithThatFrame) {
    const QColor expected = app::controlFrameColor(palette());
    auto near = [&](const QColor& seen) {
        return std::abs(seen.red() - expected.red()) <= 2 && std::abs(seen.green() - expected.green()) <= 2 &&
               std::abs(seen.blue() - expected.blue()) <= 2;
    };

    QCheckBox box(QStringLiteral("Notify on Easter"));
    box.resize(box.sizeHint());
    const QImage boxImage = box.grab().toImage();
    QStyleOptionButton option;
    option.initFrom(&box);
    const QRect indicator = box.style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, &box);
    ASSERT_TRUE(boxImage.rect().contains(indicator));
    const QColor frame = boxImage.pixelColor(indicator.left(), indicator.center().y());
    EXPECT_TRUE(near(frame)) << frame.name().toStdString() << " for " << expected.name().toStdString();
    EXPECT_GE(contrast(frame, palette().color(QPalette::Window)), 3.0);

    QLineEdit field(QStringLiteral("51.5"));
    field.resize(field.sizeHint());
    const QImage fieldImage = field.grab().toImage();
    const QColor edge = fieldImage.pixelColor(0, fieldImage.height() / 2);
    EXPECT_TRUE(near(edge)) << edge.name().toStdString() << " for " << expected.name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(LightAndDark, ThemeContrast, testing::Values(qint64{1}, qint64{2}),
                         [](const testing::TestParamInfo<qint64>& param) {
                             return param.param == 2 ? std::string("Dark") : std::string("Light");
                         });

TEST_F(Theme, DisabledTextInTheDarkThemeIsNotDoubledByItsEtch) {
    app::UserSettings().setTheme(2);
    app::Utilities().overrideDisplayMode();
    const QPalette palette = QApplication::palette();
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
