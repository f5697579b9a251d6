// The zodiac switches, the theme rows and the about section: what they show,
// what they write, the version, and the "Help" button.

#include "support/preferences_fixture.h"
#include "support/stand_in_opener.h"

#include "app/bundle.h"
#include "app/utilities.h"
#include "sheets/about_section.h"
#include "sheets/appearance_sections.h"
#include "sheets/theme_row.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

namespace {

using testsupport::PreferencesSheet;

class Appearance : public PreferencesSheet {
protected:
    const std::array<sheets::ThemeRow*, 3>& rows() { return sheet->theme()->rows(); }
    std::vector<bool> marks() {
        std::vector<bool> marked;
        for (auto* row : rows()) marked.push_back(row->isMarked());
        return marked;
    }
};

TEST_F(Appearance, AFirstStartShowsChineseOnSiderealOffAndSystemMarked) {
    open();
    EXPECT_EQ(sheet->siderealZodiac()->row()->label()->text(), "Sidereal zodiac");
    EXPECT_EQ(sheet->siderealZodiac()->footer()->text(),
              "Replace tropical zodiac information (Western) for sidereal zodiac (Eastern)");
    EXPECT_EQ(sheet->chineseZodiac()->row()->label()->text(), "Chinese zodiac");
    EXPECT_EQ(sheet->chineseZodiac()->footer()->text(), "Show the Chinese zodiac sign for the given year");
    EXPECT_FALSE(sheet->siderealZodiac()->row()->toggle()->isChecked());
    EXPECT_TRUE(sheet->chineseZodiac()->row()->toggle()->isChecked());
    EXPECT_EQ(marks(), (std::vector<bool>{true, false, false}));
}

TEST_F(Appearance, TheZodiacSwitchesWriteAtOnce) {
    open();
    QTest::mouseClick(sheet->siderealZodiac()->row()->toggle(), Qt::LeftButton);
    QTest::mouseClick(sheet->chineseZodiac()->row()->toggle(), Qt::LeftButton);
    const app::UserSettings stored;
    EXPECT_TRUE(stored.showSiderealZodiac());
    EXPECT_FALSE(stored.showChineseZodiac());
}

TEST_F(Appearance, TheThemeRowsStandSystemDarkLightAndMarkTheirOwnValue) {
    open();
    EXPECT_EQ(rows()[0]->label()->text(), "System");
    EXPECT_EQ(rows()[1]->label()->text(), "Dark");
    EXPECT_EQ(rows()[2]->label()->text(), "Light");
    EXPECT_EQ(rows()[0]->value(), 0);
    EXPECT_EQ(rows()[1]->value(), 2);
    EXPECT_EQ(rows()[2]->value(), 1);
    settings().setTheme(2);
    EXPECT_EQ(marks(), (std::vector<bool>{false, true, false}));
    settings().setTheme(1);
    EXPECT_EQ(marks(), (std::vector<bool>{false, false, true}));
    settings().setTheme(0);
    EXPECT_EQ(marks(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(rows()[0]->checkmark()->size(), QSize(14, 14));
}

TEST_F(Appearance, AStoredThemeOutsideTheChoicesMarksNoRowUntilOneIsChosen) {
    settings().setTheme(5);
    open();
    EXPECT_EQ(marks(), (std::vector<bool>{false, false, false}));
    QTest::mouseClick(rows()[1], Qt::LeftButton);
    EXPECT_EQ(app::UserSettings().theme(), 2);
    EXPECT_EQ(marks(), (std::vector<bool>{false, true, false}));
}

TEST_F(Appearance, TheWholeRowTakesTheClick) {
    open();
    sheets::ThemeRow* dark = rows()[1];
    const QPoint middle(dark->width() / 2, dark->height() / 2);
    ASSERT_FALSE(dark->label()->geometry().contains(middle));
    QTest::mouseClick(dark, Qt::LeftButton, {}, middle);
    EXPECT_EQ(settings().theme(), 2);
    sheets::ThemeRow* light = rows()[2];
    QTest::mouseClick(light, Qt::LeftButton, {}, light->label()->geometry().center());
    EXPECT_EQ(settings().theme(), 1);
}

TEST_F(Appearance, DarkThenLightStoresEachAndMarksEach) {
    open();
    QTest::mouseClick(rows()[1], Qt::LeftButton);
    EXPECT_EQ(app::UserSettings().theme(), 2);
    EXPECT_EQ(marks(), (std::vector<bool>{false, true, false}));
    QTest::mouseClick(rows()[2], Qt::LeftButton);
    EXPECT_EQ(app::UserSettings().theme(), 1);
    EXPECT_EQ(marks(), (std::vector<bool>{false, false, true}));
}

class About : public PreferencesSheet {
protected:
    void TearDown() override {
        app::setMainBundleInfoOverride(std::nullopt);
        PreferencesSheet::TearDown();
    }
    sheets::AboutSection& about() { return *sheet->about(); }
    void openWithTheDesktopsOpener() {
        sheet = std::make_unique<sheets::PreferencesView>(flag.binding());
        sheet->open();
        testsupport::settle();
    }
    QString versionShownWith(app::InfoDictionary info) {
        app::setMainBundleInfoOverride(std::move(info));
        open();
        return about().versionLabel()->text();
    }
};

TEST_F(About, ShowsTheCreditLinesOfTheGlobalModel) {
    open();
    EXPECT_EQ(about().header()->text(), "ABOUT");
    EXPECT_EQ(about().footer(), nullptr);
    EXPECT_EQ(about().copyrightLabel()->text(), global().copyrightStr());
    EXPECT_EQ(about().creditLabel()->text(), global().otherCredit());
    EXPECT_EQ(about().copyrightLabel()->textFormat(), Qt::PlainText);
    EXPECT_EQ(about().helpButton()->text(), "Help");
}

TEST_F(About, ShowsTheVersionOfTheRunningProgram) {
    EXPECT_EQ(versionShownWith({{"CFBundleShortVersionString", std::string("1.4")}, {"CFBundleVersion", std::string("12")}}),
              "1.4.12");
    EXPECT_EQ(versionShownWith({}), "x.x.x");
    EXPECT_EQ(versionShownWith({{"CFBundleVersion", std::string("12")}}), "x.x.12");
    EXPECT_EQ(versionShownWith({{"CFBundleShortVersionString", std::string("1.4")}}), "1.4.x");
}

// Every text looked up comes back marked, so what is looked up shows.
class MarkingTranslator : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char*, const char* source, const char*, int) const override {
        return QStringLiteral("«") + QString::fromUtf8(source) + QStringLiteral("»");
    }
};

TEST_F(About, TheCreditLinesAndTheVersionAreNeverLookedUp) {
    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    const QString copyright = global().copyrightStr();
    global().setCopyrightStr(QStringLiteral("Help"));
    app::setMainBundleInfoOverride(app::InfoDictionary{{"CFBundleShortVersionString", std::string("Done")}});
    open();
    QCoreApplication::removeTranslator(&translator);
    global().setCopyrightStr(copyright);
    EXPECT_EQ(about().header()->text(), "«ABOUT»");
    EXPECT_EQ(about().helpButton()->text(), "«Help»");
    EXPECT_EQ(about().copyrightLabel()->text(), "Help");
    EXPECT_EQ(about().versionLabel()->text(), "Done.x");
}

TEST_F(About, HelpOpensTheHelpPageEachTimeAndChangesNothing) {
    open();
    int writes = 0;
    QObject::connect(&settings(), &app::UserSettings::changed, sheet.get(), [&] { ++writes; });
    QTest::mouseClick(about().helpButton(), Qt::LeftButton);
    QTest::mouseClick(about().helpButton(), Qt::LeftButton);
    ASSERT_EQ(opener.opened.size(), 2u);
    EXPECT_EQ(opener.opened[0], QUrl(global().websiteHelp()));
    EXPECT_EQ(opener.opened[1], QUrl(global().websiteHelp()));
    EXPECT_TRUE(opener.opened[0].toString().endsWith("/vadididod.html"));
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_TRUE(flag.writes.empty());
    EXPECT_EQ(writes, 0);
}

// Through the desktop's opener, as a user's Help does: a browser that takes
// the address shows nothing more; where none does, the sheet says so as the
// Help menu does, with the address to copy.
TEST_F(About, HelpSaysSoWhereNoBrowserOpensThePage) {
    const QString address = global().websiteHelp();
    openWithTheDesktopsOpener();
    {
        testsupport::StandInOpener browser(0);
        QTest::mouseClick(about().helpButton(), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !browser.opened().isEmpty(); }, 10000));
        QTest::qWait(200);   // its end reaches the event loop
        EXPECT_EQ(browser.opened(), QStringList{address});
        EXPECT_EQ(sheet->findChild<QMessageBox*>(), nullptr);
    }
    testsupport::StandInOpener noBrowser(1);
    QTest::mouseClick(about().helpButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheet->findChild<QMessageBox*>() != nullptr; }, 10000));
    EXPECT_EQ(noBrowser.opened(), QStringList{address});
    const QMessageBox* message = sheet->findChild<QMessageBox*>();
    EXPECT_TRUE(message->isVisible());
    EXPECT_EQ(message->text(), "No web browser could open the help page. Its address is:\n\n" + address);
}

// The opener reports later, so three presses can all fail before the first
// message is up; once it is closed, the next failure is told again.
TEST_F(About, ThreeFailedPressesShowOneMessageAtATime) {
    open();
    for (int press = 0; press < 3; ++press) QTest::mouseClick(about().helpButton(), Qt::LeftButton);
    ASSERT_EQ(opener.failures.size(), 3u);
    for (const auto& fail : opener.failures) fail();
    QList<QMessageBox*> messages = sheet->findChildren<QMessageBox*>();
    ASSERT_EQ(messages.size(), 1);
    messages.front()->accept();
    testsupport::settle();
    EXPECT_TRUE(sheet->findChildren<QMessageBox*>().empty());

    QTest::mouseClick(about().helpButton(), Qt::LeftButton);
    opener.failures.back()();
    EXPECT_EQ(sheet->findChildren<QMessageBox*>().size(), 1);
}

TEST_F(About, AnAddressThatIsNoWebAddressOpensNothing) {
    const QString help = global().websiteHelp();
    open();
    for (const char* address : {"", "not a web address", "http://exa mple.com/", "vadididod.html",
                                "javascript:alert(1)", "file:///etc/passwd", "http://"}) {
        global().setWebsiteHelp(QString::fromLatin1(address));
        QTest::mouseClick(about().helpButton(), Qt::LeftButton);
    }
    global().setWebsiteHelp(help);
    EXPECT_TRUE(opener.opened.empty());
    EXPECT_TRUE(sheet->isVisible());
}

} // namespace
