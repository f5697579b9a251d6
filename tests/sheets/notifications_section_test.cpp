// The notification preferences: the rows after "Allow notifications" are
// there only while it is on, and every control writes its preference at once.
// The time of day keeps the stored day; runs in every test zone.

#include "support/preferences_fixture.h"

#include "sheets/local_fields.h"
#include "sheets/notifications_section.h"
#include "support/local_dates.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QTimeEdit>

namespace {

using testsupport::local;
using testsupport::PreferencesSheet;

class Notifications : public PreferencesSheet {
protected:
    sheets::NotificationsSection& section() { return *sheet->notifications(); }
    static void click(sheets::ToggleRow* row) { QTest::mouseClick(row->toggle(), Qt::LeftButton); }
};

TEST_F(Notifications, WithoutNotificationsOnlyTheirSwitchAndTheFooterShow) {
    open();
    EXPECT_EQ(section().header()->text(), "NOTIFICATIONS");
    EXPECT_EQ(section().footer()->text(), "You need to allow notifications for this app in your device settings.");
    EXPECT_EQ(section().allowRow()->label()->text(), "Allow notifications");
    EXPECT_TRUE(section().allowRow()->isVisible());
    EXPECT_FALSE(section().allowRow()->toggle()->isChecked());
    EXPECT_FALSE(section().eventRows()->isVisible());
    EXPECT_TRUE(section().footer()->isVisible());
}

TEST_F(Notifications, SwitchingOnShowsTheFirstStartValues) {
    open();
    click(section().allowRow());
    EXPECT_TRUE(app::UserSettings().wantNotifications());
    EXPECT_TRUE(section().eventRows()->isVisible());
    EXPECT_EQ(section().festivalsRow()->label()->text(), "Vadididod");
    EXPECT_EQ(section().seasonsRow()->label()->text(), "Seasons");
    EXPECT_EQ(section().solsticeRow()->label()->text(), "Solstice");
    EXPECT_EQ(section().equinoxRow()->label()->text(), "Equinox");
    EXPECT_EQ(section().easterRow()->label()->text(), "Easter Sunday");
    EXPECT_EQ(section().astronomicalDatesRow()->label()->text(), "Use astronomical dates");
    for (auto* row : {section().festivalsRow(), section().seasonsRow(), section().solsticeRow(),
                      section().equinoxRow(), section().easterRow()}) {
        EXPECT_TRUE(row->toggle()->isChecked()) << row->label()->text().toStdString();
    }
    EXPECT_FALSE(section().astronomicalDatesRow()->toggle()->isChecked());
    EXPECT_EQ(section().daysBefore()->currentText(), "2");
    ASSERT_EQ(section().daysBefore()->count(), 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(section().daysBefore()->itemText(i), QString::number(i));
    EXPECT_EQ(section().timeOfDay()->time(), QTime(9, 0));
    EXPECT_EQ(section().timeOfDay()->displayFormat(), "HH:mm");
}

TEST_F(Notifications, SwitchingOffAndOnKeepsEveryOtherPreference) {
    settings().setWantNotifications(true);
    settings().setNotifySeasons(false);
    settings().setNotifyDaysBefore(5);
    open();
    click(section().allowRow());
    EXPECT_FALSE(section().eventRows()->isVisible());
    click(section().allowRow());
    EXPECT_TRUE(section().eventRows()->isVisible());
    const app::UserSettings stored;
    EXPECT_FALSE(stored.notifySeasons());
    EXPECT_TRUE(stored.notifyFestivals());
    EXPECT_EQ(stored.notifyDaysBefore(), 5);
    EXPECT_FALSE(section().seasonsRow()->toggle()->isChecked());
    EXPECT_EQ(section().daysBefore()->currentText(), "5");
}

TEST_F(Notifications, EverySwitchWritesItsPreferenceAtOnce) {
    settings().setWantNotifications(true);
    open();
    struct Case {
        sheets::ToggleRow* row;
        bool (app::UserSettings::*get)() const;
    };
    const Case cases[] = {
        {section().festivalsRow(), &app::UserSettings::notifyFestivals},
        {section().seasonsRow(), &app::UserSettings::notifySeasons},
        {section().solsticeRow(), &app::UserSettings::notifySolstice},
        {section().equinoxRow(), &app::UserSettings::notifyEquinox},
        {section().easterRow(), &app::UserSettings::notifyEaster},
        {section().astronomicalDatesRow(), &app::UserSettings::notifyOnAstronomicalDates},
    };
    for (const Case& c : cases) {
        const bool before = (settings().*c.get)();
        click(c.row);
        EXPECT_EQ((app::UserSettings().*c.get)(), !before) << c.row->label()->text().toStdString();
    }
    EXPECT_TRUE(flag.writes.empty());
    sheet->accept();
    EXPECT_EQ(flag.writes.size(), 1u);   // one refresh for all of them
}

TEST_F(Notifications, ChoosingANumberStoresIt) {
    settings().setWantNotifications(true);
    open();
    QComboBox* days = section().daysBefore();
    days->setFocus();
    QTest::keyClick(days, Qt::Key_Home);
    EXPECT_EQ(app::UserSettings().notifyDaysBefore(), 0);
    QTest::keyClick(days, Qt::Key_End);
    EXPECT_EQ(app::UserSettings().notifyDaysBefore(), 7);
    QTest::keyClick(days, Qt::Key_Up);
    EXPECT_EQ(app::UserSettings().notifyDaysBefore(), 6);
}

TEST_F(Notifications, AStoredNumberOutsideTheChoicesShowsNoneChosen) {
    settings().setWantNotifications(true);
    settings().setNotifyDaysBefore(-3);
    open();
    EXPECT_EQ(section().daysBefore()->currentIndex(), -1);
    EXPECT_EQ(settings().notifyDaysBefore(), -3);
}

TEST_F(Notifications, ChangingTheTimeKeepsTheStoredDay) {
    settings().setWantNotifications(true);
    settings().setNotifyTimeOfDay(local(2024, 11, 5, 9, 0));
    open();
    section().timeOfDay()->setTime(QTime(18, 45));   // as typing a time does
    EXPECT_EQ(app::UserSettings().notifyTimeOfDay(), local(2024, 11, 5, 18, 45));
    section().timeOfDay()->setFocus();
    QTest::keyClick(section().timeOfDay(), Qt::Key_Up);   // the hour section
    EXPECT_EQ(app::UserSettings().notifyTimeOfDay(), local(2024, 11, 5, 19, 45));
}

// The clock time picked is the preference, also where the clocks skip it on
// the stored date: only that day's instant moves forward by the gap.
TEST_F(Notifications, ATimeThatTheClocksSkipIsKeptAsPicked) {
    const auto gap = testsupport::firstClockGap();
    if (!gap) GTEST_SKIP() << "the clocks of this zone do not jump forward";
    settings().setWantNotifications(true);
    settings().setNotifyTimeOfDay(gap->noonOfDay);
    open();
    section().timeOfDay()->setTime(QTime(gap->hour, gap->minute));
    const app::UserSettings stored;
    EXPECT_EQ(stored.notifyTimeOfDay(), gap->movedForward);
    EXPECT_EQ(stored.notifyWallTime(), (app::WallTime{gap->year, gap->month, gap->day, gap->hour, gap->minute}));
    EXPECT_EQ(section().timeOfDay()->time(), QTime(gap->hour, gap->minute));
}

} // namespace
