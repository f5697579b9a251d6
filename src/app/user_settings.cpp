#include "app/user_settings.h"

#include "app/date_from.h"
#include "app/settings_store.h"

#include "platform/core/calendar.h"
#include "platform/desktop/qt_dates.h"

#include <QDateTime>
#include <QVariant>

#include <type_traits>

namespace app {
namespace {

// The store's readers: a missing key reads as false, 0 or 0.0, and as no date.
void read(const QSettings& store, const char* key, bool& value) { value = store.value(QLatin1String(key)).toBool(); }
void read(const QSettings& store, const char* key, qint64& value) { value = store.value(QLatin1String(key)).toLongLong(); }
void read(const QSettings& store, const char* key, double& value) { value = store.value(QLatin1String(key)).toDouble(); }

std::optional<platform::Date> readDate(const QSettings& store, const char* key) {
    const QVariant value = store.value(QLatin1String(key));
    if (value.typeId() != QMetaType::QDateTime) return std::nullopt;
    return platform::fromQDateTime(value.toDateTime());
}

// Today, in the user's calendar, at the given local time; the present instant
// should the calendar form none.
platform::Date todayAt(int hour, int minute, int second) {
    const platform::Date now = platform::Date::now();
    using platform::CalendarComponent;
    const platform::DateComponents today = platform::Calendar::current().components(
        {CalendarComponent::year, CalendarComponent::month, CalendarComponent::day}, now);
    if (!today.year || !today.month || !today.day) return now;
    return gregorianDateFrom(*today.year, *today.month, *today.day, hour, minute, second).value_or(now);
}

// An instant in UTC, so that a change of time zone does not move it.
QVariant toStored(platform::Date value) { return platform::toQDateTime(value); }
template <class T>
QVariant toStored(T value) { return QVariant::fromValue(value); }

} // namespace

template <class Self, class Visit>
void UserSettings::forEachPreference(Self& self, Visit&& visit) {
    visit("firstRun", self.firstRun_);
    visit("theme", self.theme_);
    visit("wantNotifications", self.wantNotifications_);
    visit("notifyVadididod", self.notifyVadididod_);
    visit("notifySeasons", self.notifySeasons_);
    visit("notifySolstice", self.notifySolstice_);
    visit("notifyEquinox", self.notifyEquinox_);
    visit("showSiderealZodiac", self.showSiderealZodiac_);
    visit("showChineseZodiac", self.showChineseZodiac_);
    visit("notifyEaster", self.notifyEaster_);
    visit("notifyOnAstronomicalDates", self.notifyOnAstronomicalDates_);
    visit("notifyDaysBefore", self.notifyDaysBefore_);
    visit("notifyTimeOfDay", self.notifyTimeOfDay_);
    visit("specificCoords", self.specificCoords_);
    visit("coordsLat", self.coordsLat_);
    visit("coordsLon", self.coordsLon_);
}

UserSettings& UserSettings::shared() {
    static UserSettings instance;
    return instance;
}

UserSettings::UserSettings() { loadOrDefault(); }

UserSettings::~UserSettings() = default;

void UserSettings::loadOrDefault() {
    const auto store = openSettingsStore();
    if (!store) {
        // A damaged store that could not be set aside: this run keeps the defaults in memory.
        notifyTimeOfDay_ = todayAt(9, 0, 0);
        return;
    }

    if (store->value(QLatin1String(UserSettingsMarkerKey)).toLongLong() != 0) {
        forEachPreference(*this, [&store](const char* key, auto& member) {
            if constexpr (std::is_same_v<std::remove_reference_t<decltype(member)>, platform::Date>) {
                // A stored time that is missing or not a date: half past eight, not the first start's nine.
                const auto storedTime = readDate(*store, key);
                member = storedTime ? *storedTime : todayAt(8, 30, 0);
            } else {
                read(*store, key, member);
            }
        });
        return;
    }

    // A first start: the members hold the defaults already, but for the time.
    store->setValue(QLatin1String(UserSettingsMarkerKey), UserSettingsMarkerValue);
    notifyTimeOfDay_ = todayAt(9, 0, 0);
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
    forEachPreference(*this, [&s](const char* key, const auto& member) {
        s.setValue(QLatin1String(key), toStored(member));
    });
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
