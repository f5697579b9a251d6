#include "app/user_settings.h"

#include "app/date_from.h"
#include "app/qt_dates.h"
#include "app/settings_store.h"

#include "platform/core/calendar.h"

#include <QDateTime>
#include <QVariant>

namespace app {
namespace {

// The store's readers: a missing key reads as false, 0 or 0.0.
bool readBool(const QSettings& store, const char* key) { return store.value(QLatin1String(key)).toBool(); }
qint64 readInteger(const QSettings& store, const char* key) { return store.value(QLatin1String(key)).toLongLong(); }
double readDouble(const QSettings& store, const char* key) { return store.value(QLatin1String(key)).toDouble(); }

std::optional<platform::Date> readDate(const QSettings& store, const char* key) {
    const QVariant value = store.value(QLatin1String(key));
    if (value.typeId() != QMetaType::QDateTime) return std::nullopt;
    return fromQDateTime(value.toDateTime());
}

// Today at the given clock time, from the user's calendar's year, month and day.
platform::Date todayAt(platform::Date now, int hour, int minute) {
    using platform::CalendarComponent;
    const auto today = platform::Calendar::current().components(
        {CalendarComponent::year, CalendarComponent::month, CalendarComponent::day}, now);
    return dateFrom(today.year.value_or(1970), today.month.value_or(1), today.day.value_or(1), hour, minute, 0)
        .value_or(now);
}

} // namespace

UserSettings& UserSettings::shared() {
    static UserSettings instance;
    return instance;
}

UserSettings::UserSettings() { loadOrDefault(); }

UserSettings::~UserSettings() = default;

void UserSettings::loadOrDefault() {
    const platform::Date now = platform::Date::now();
    const auto store = openSettingsStore();
    if (!store) {
        // A damaged store that could not be set aside: this run keeps the defaults in memory.
        notifyTimeOfDay_ = todayAt(now, 9, 0);
        return;
    }

    if (readInteger(*store, UserSettingsMarkerKey) != 0) {
        firstRun_ = readBool(*store, "firstRun");
        theme_ = readInteger(*store, "theme");
        wantNotifications_ = readBool(*store, "wantNotifications");
        notifyVadididod_ = readBool(*store, "notifyVadididod");
        notifySeasons_ = readBool(*store, "notifySeasons");
        notifySolstice_ = readBool(*store, "notifySolstice");
        notifyEquinox_ = readBool(*store, "notifyEquinox");
        showSiderealZodiac_ = readBool(*store, "showSiderealZodiac");
        showChineseZodiac_ = readBool(*store, "showChineseZodiac");
        notifyEaster_ = readBool(*store, "notifyEaster");
        notifyOnAstronomicalDates_ = readBool(*store, "notifyOnAstronomicalDates");
        notifyDaysBefore_ = readInteger(*store, "notifyDaysBefore");
        // A stored time that is missing or not a date: half past eight, not the first start's nine.
        auto storedTime = readDate(*store, "notifyTimeOfDay");
        notifyTimeOfDay_ = storedTime ? *storedTime : todayAt(now, 8, 30);
        specificCoords_ = readBool(*store, "specificCoords");
        coordsLat_ = readDouble(*store, "coordsLat");
        coordsLon_ = readDouble(*store, "coordsLon");
        return;
    }

    // A first start: the members hold the defaults already, but for the time.
    store->setValue(QLatin1String(UserSettingsMarkerKey), UserSettingsMarkerValue);
    notifyTimeOfDay_ = todayAt(now, 9, 0);
    writeTo(*store);
    syncSettingsStore(*store);
}

void UserSettings::save() {
    if (const auto store = openSettingsStore()) {
        writeTo(*store);
        syncSettingsStore(*store);
    }
}

void UserSettings::writeTo(QSettings& s) const {
    s.setValue(QLatin1String("firstRun"), firstRun_);
    s.setValue(QLatin1String("theme"), theme_);
    s.setValue(QLatin1String("wantNotifications"), wantNotifications_);
    s.setValue(QLatin1String("notifyVadididod"), notifyVadididod_);
    s.setValue(QLatin1String("notifySeasons"), notifySeasons_);
    s.setValue(QLatin1String("notifySolstice"), notifySolstice_);
    s.setValue(QLatin1String("notifyEquinox"), notifyEquinox_);
    s.setValue(QLatin1String("showSiderealZodiac"), showSiderealZodiac_);
    s.setValue(QLatin1String("showChineseZodiac"), showChineseZodiac_);
    s.setValue(QLatin1String("notifyEaster"), notifyEaster_);
    s.setValue(QLatin1String("notifyOnAstronomicalDates"), notifyOnAstronomicalDates_);
    s.setValue(QLatin1String("notifyDaysBefore"), notifyDaysBefore_);
    // An instant in UTC, so that a change of time zone does not move it.
    s.setValue(QLatin1String("notifyTimeOfDay"), toQDateTime(notifyTimeOfDay_));
    s.setValue(QLatin1String("specificCoords"), specificCoords_);
    s.setValue(QLatin1String("coordsLat"), coordsLat_);
    s.setValue(QLatin1String("coordsLon"), coordsLon_);
}

void UserSettings::setFirstRun(bool value) { assign(firstRun_, value, &UserSettings::firstRunChanged); }
void UserSettings::setTheme(qint64 value) { assign(theme_, value, &UserSettings::themeChanged); }
void UserSettings::setWantNotifications(bool value) { assign(wantNotifications_, value, &UserSettings::wantNotificationsChanged); }
void UserSettings::setNotifyVadididod(bool value) { assign(notifyVadididod_, value, &UserSettings::notifyVadididodChanged); }
void UserSettings::setNotifySeasons(bool value) { assign(notifySeasons_, value, &UserSettings::notifySeasonsChanged); }
void UserSettings::setNotifySolstice(bool value) { assign(notifySolstice_, value, &UserSettings::notifySolsticeChanged); }
void UserSettings::setNotifyEquinox(bool value) { assign(notifyEquinox_, value, &UserSettings::notifyEquinoxChanged); }
void UserSettings::setShowSiderealZodiac(bool value) { assign(showSiderealZodiac_, value, &UserSettings::showSiderealZodiacChanged); }
void UserSettings::setShowChineseZodiac(bool value) { assign(showChineseZodiac_, value, &UserSettings::showChineseZodiacChanged); }
void UserSettings::setNotifyEaster(bool value) { assign(notifyEaster_, value, &UserSettings::notifyEasterChanged); }
void UserSettings::setNotifyOnAstronomicalDates(bool value) { assign(notifyOnAstronomicalDates_, value, &UserSettings::notifyOnAstronomicalDatesChanged); }
void UserSettings::setNotifyDaysBefore(qint64 value) { assign(notifyDaysBefore_, value, &UserSettings::notifyDaysBeforeChanged); }
void UserSettings::setNotifyTimeOfDay(platform::Date value) { assign(notifyTimeOfDay_, value, &UserSettings::notifyTimeOfDayChanged); }
void UserSettings::setSpecificCoords(bool value) { assign(specificCoords_, value, &UserSettings::specificCoordsChanged); }
void UserSettings::setCoordsLat(double value) { assign(coordsLat_, value, &UserSettings::coordsLatChanged); }
void UserSettings::setCoordsLon(double value) { assign(coordsLon_, value, &UserSettings::coordsLonChanged); }

} // namespace app
