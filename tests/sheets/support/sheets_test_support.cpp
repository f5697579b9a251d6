#include "sheets_test_support.h"

#include "app/global_model.h"
#include "app/settings_store.h"
#include "app/user_settings.h"
#include "app/utilities.h"
#include "sheets/reform_calendar_widget.h"

#include <QCoreApplication>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace testsupport {

void resetSharedState(double latitude, double longitude) {
    app::resetDefaults();
    app::UserSettings& s = app::UserSettings::shared();
    const app::UserSettings firstStart;   // the store is empty: it takes and saves the defaults
    s.setFirstRun(firstStart.firstRun());
    s.setTheme(firstStart.theme());
    s.setWantNotifications(firstStart.wantNotifications());
    s.setNotifyFestivals(firstStart.notifyFestivals());
    s.setNotifySeasons(firstStart.notifySeasons());
    s.setNotifySolstice(firstStart.notifySolstice());
    s.setNotifyEquinox(firstStart.notifyEquinox());
    s.setShowSiderealZodiac(firstStart.showSiderealZodiac());
    s.setShowChineseZodiac(firstStart.showChineseZodiac());
    s.setNotifyEaster(firstStart.notifyEaster());
    s.setNotifyOnAstronomicalDates(firstStart.notifyOnAstronomicalDates());
    s.setNotifyDaysBefore(firstStart.notifyDaysBefore());
    s.setNotifyTimeOfDay(firstStart.notifyTimeOfDay());
    s.setSpecificCoords(firstStart.specificCoords());
    s.setCoordsLat(firstStart.coordsLat());
    s.setCoordsLon(firstStart.coordsLon());
    app::applyInterfaceStyle(app::InterfaceStyle::unspecified);
    app::GlobalModel::shared().setLatitude(latitude);
    app::GlobalModel::shared().setLongitude(longitude);
}

void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

void typeYear(sheets::ReformCalendarWidget& calendar, const QString& year) {
    ASSERT_NE(calendar.yearButton(), nullptr);
    ASSERT_NE(calendar.yearField(), nullptr);
    QTest::mouseClick(calendar.yearButton(), Qt::LeftButton);
    ASSERT_TRUE(calendar.yearField()->isVisible());
    QTest::keyClick(calendar.yearField(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(calendar.yearField(), year);
    QTest::keyClick(calendar.yearField(), Qt::Key_Enter);
    settle();
}

} // namespace testsupport
