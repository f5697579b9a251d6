// The preferences sheet's frame: its title bar and sections, the refresh flag
// inverted once at every closing after the coordinates are committed, the
// theme applied as soon as it changes, and Return kept from closing the sheet.

#include "support/preferences_fixture.h"

#include "app/readable_colors.h"
#include "app/utilities.h"
#include "sheets/about_section.h"
#include "sheets/appearance_sections.h"
#include "sheets/coordinate_row.h"
#include "sheets/form_rows.h"
#include "sheets/general_section.h"
#include "sheets/notifications_section.h"
#include "sheets/sheet_title_bar.h"
#include "sheets/theme_row.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>

#include <functional>
#include <string>
#include <vector>

namespace {

using testsupport::PreferencesSheet;
using sheets::PreferencesView;

const std::vector<std::pair<const char*, std::function<void(PreferencesView&)>>> closings = {
    {"Done", [](PreferencesView& s) { QTest::mouseClick(s.titleBar()->doneButton(), Qt::LeftButton); }},
    {"Escape", [](PreferencesView& s) { QTest::keyClick(&s, Qt::Key_Escape); }},
    {"close button", [](PreferencesView& s) { s.close(); }},
};

TEST_F(PreferencesSheet, HasItsTitleBarAndItsSectionsInOrder) {
    auto& s = open();
    EXPECT_EQ(s.titleBar()->titleLabel()->text(), "Settings");
    EXPECT_EQ(s.titleBar()->doneButton()->text(), "Done");
    EXPECT_EQ(s.general()->header()->text(), "GENERAL");
    EXPECT_EQ(s.notifications()->header()->text(), "NOTIFICATIONS");
    EXPECT_EQ(s.siderealZodiac()->header()->text(), "SIDEREAL ZODIAC");
    EXPECT_EQ(s.chineseZodiac()->header()->text(), "CHINESE ZODIAC");
    EXPECT_EQ(s.theme()->header()->text(), "THEME");
    EXPECT_EQ(s.theme()->footer(), nullptr);
    EXPECT_LT(s.general()->y(), s.notifications()->y());
    EXPECT_LT(s.notifications()->y(), s.siderealZodiac()->y());
    EXPECT_LT(s.siderealZodiac()->y(), s.chineseZodiac()->y());
    EXPECT_LT(s.chineseZodiac()->y(), s.theme()->y());
}

// Headers and footers are fainter than the rows' text but stay readable (4.5:1
// on the window) in both themes, also when the theme changes with the sheet open.
TEST_F(PreferencesSheet, HeadersAndFootersStayReadableInBothThemes) {
    auto& s = open();
    for (const qint64 theme : {2, 1}) {
        settings().setTheme(theme);
        testsupport::settle();
        const QColor window = s.palette().color(QPalette::Window);
        for (const sheets::FormSection* section : std::vector<sheets::FormSection*>{
                 s.general(), s.notifications(), s.siderealZodiac(), s.chineseZodiac(), s.theme(), s.about()}) {
            for (const QLabel* note : {section->header(), section->footer()}) {
                if (!note) continue;
                const QColor shown = note->palette().color(note->foregroundRole());
                EXPECT_GE(app::contrastRatio(shown, window), 4.5) << note->text().toStdString() << " theme " << theme;
                EXPECT_NE(shown, s.palette().color(QPalette::WindowText)) << "a shade fainter than the rows";
            }
        }
    }
}

TEST_F(PreferencesSheet, EveryWayOfClosingInvertsTheFlagOnce) {
    for (const auto& [name, close] : closings) {
        flag.writes.clear();
        const bool before = flag.value;
        auto& s = open();
        EXPECT_TRUE(flag.writes.empty()) << name;
        close(s);
        testsupport::settle();
        EXPECT_FALSE(s.isVisible()) << name;
        EXPECT_EQ(flag.writes, std::vector<bool>{!before}) << name;
    }
}

TEST_F(PreferencesSheet, ClosingWithoutOwnCoordinatesLeavesThemAndThePositionAlone) {
    settings().setCoordsLat(1.5);
    settings().setCoordsLon(2.5);
    for (const auto& [name, close] : closings) {
        close(open());
        EXPECT_EQ(settings().coordsLat(), 1.5) << name;
        EXPECT_EQ(settings().coordsLon(), 2.5) << name;
        EXPECT_EQ(global().Latitude(), 11.0) << name;
        EXPECT_EQ(global().Longitude(), 22.0) << name;
    }
}

TEST_F(PreferencesSheet, TheFlagIsInvertedAfterTheCoordinatesAreCommitted) {
    for (const auto& [name, close] : closings) {
        testsupport::resetSharedState();
        settings().setSpecificCoords(true);
        settings().setCoordsLat(-33.8688);
        settings().setCoordsLon(151.2093);
        std::vector<std::string> events;
        const auto lat = QObject::connect(&global(), &app::GlobalModel::LatitudeChanged, [&] { events.push_back("lat"); });
        const auto lon = QObject::connect(&global(), &app::GlobalModel::LongitudeChanged, [&] { events.push_back("lon"); });
        double latitudeSeenByRefresh = 0.0;
        double storedLongitudeSeenByRefresh = 0.0;
        sheet = std::make_unique<PreferencesView>(
            sheets::Binding<bool>([&] { return flag.value; },
                                  [&](bool v) {
                                      events.push_back("flag");
                                      latitudeSeenByRefresh = global().Latitude();
                                      storedLongitudeSeenByRefresh = app::UserSettings().coordsLon();
                                      flag.value = v;
                                  }),
            nullptr, opener.opener());
        sheet->open();
        testsupport::settle();
        sheet->general()->latitudeRow()->field()->setText("40.5");   // typed, not confirmed
        close(*sheet);
        QObject::disconnect(lat);
        QObject::disconnect(lon);
        EXPECT_EQ(events, (std::vector<std::string>{"lat", "lon", "flag"})) << name;
        EXPECT_EQ(latitudeSeenByRefresh, 40.5) << name;
        EXPECT_EQ(storedLongitudeSeenByRefresh, 151.2093) << name;
    }
}

TEST_F(PreferencesSheet, APreferenceSwitchedOnAndOffStaysAsItWasAndTheFlagIsInvertedOnce) {
    auto& s = open();
    QCheckBox* sidereal = s.siderealZodiac()->row()->toggle();
    QTest::mouseClick(sidereal, Qt::LeftButton);
    EXPECT_TRUE(settings().showSiderealZodiac());
    QTest::mouseClick(sidereal, Qt::LeftButton);
    EXPECT_FALSE(settings().showSiderealZodiac());
    EXPECT_TRUE(flag.writes.empty());
    s.accept();
    EXPECT_EQ(flag.writes.size(), 1u);
    EXPECT_FALSE(app::UserSettings().showSiderealZodiac());
}

TEST_F(PreferencesSheet, AnotherThemeAppliesAtOnceWhileTheSheetStaysOpen) {
    auto& s = open();
    const auto& rows = s.theme()->rows();
    QTest::mouseClick(rows[1], Qt::LeftButton);   // "Dark"
    EXPECT_EQ(app::appliedInterfaceStyle(), app::InterfaceStyle::dark);
    EXPECT_TRUE(s.isVisible());
    QTest::mouseClick(rows[2], Qt::LeftButton);   // "Light"
    EXPECT_EQ(app::appliedInterfaceStyle(), app::InterfaceStyle::light);
    QTest::mouseClick(rows[0], Qt::LeftButton);   // "System"
    EXPECT_EQ(app::appliedInterfaceStyle(), app::InterfaceStyle::unspecified);
    EXPECT_TRUE(flag.writes.empty());
}

TEST_F(PreferencesSheet, TheThemeAlreadyStoredAppliesNothing) {
    settings().setTheme(1);
    auto& s = open();
    app::applyInterfaceStyle(app::InterfaceStyle::unspecified);   // so that an application would show
    int announced = 0;
    QObject::connect(&settings(), &app::UserSettings::themeChanged, &s, [&] { ++announced; });
    app::UserSettings().setTheme(2);                                // another instance's value
    QTest::mouseClick(s.theme()->rows()[2], Qt::LeftButton);       // "Light" again
    EXPECT_EQ(app::UserSettings().theme(), 1) << "written and saved once more";
    EXPECT_EQ(announced, 0);
    EXPECT_EQ(app::appliedInterfaceStyle(), app::InterfaceStyle::unspecified);
}

TEST_F(PreferencesSheet, ReturnNeverClosesTheSheet) {
    settings().setSpecificCoords(true);
    settings().setWantNotifications(true);
    auto& s = open();
    QWidget* field = s.general()->latitudeRow()->field();
    field->setFocus();
    QTest::keyClicks(field, "12.5");
    QTest::keyClick(field, Qt::Key_Return);
    QTest::keyClick(field, Qt::Key_Enter);
    QTest::keyClick(&s, Qt::Key_Return);
    QWidget* time = s.notifications()->timeOfDay();
    time->setFocus();
    QTest::keyClick(time, Qt::Key_Return);
    s.titleBar()->doneButton()->setFocus();
    QTest::keyClick(s.titleBar()->doneButton(), Qt::Key_Return);
    EXPECT_TRUE(s.isVisible());
    EXPECT_TRUE(flag.writes.empty());
    EXPECT_EQ(settings().coordsLat(), 0.0);   // confirmed in the field, committed only when the rows go
}

} // namespace
