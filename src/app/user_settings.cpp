#include "app/user_settings.h"

#include "app/console.h"
#include "app/coordinates.h"
#include "app/settings_store.h"
#include "app/stored_values.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>
#include <type_traits>

namespace app {
namespace {

// Today, in the user's calendar, at the given clock time; the present instant's
// wall time should the calendar show none.
WallTime todayAt(int hour, int minute) {
    WallTime today = wallTimeAt(platform::Date::now()).value_or(WallTime{});
    today.hour = hour;
    today.minute = minute;
    today.second = 0;
    today.millisecond = 0;
    return today;
}

// What a stored text gives for a preference of each kind; none when it is not
// a value of that kind within the preference's range. `legacy` is set when the
// text was in an older version's serialised form.
std::optional<bool> fromStored(const char*, const QString& text, bool*, bool&) { return stored::boolean(text); }

std::optional<qint64> fromStored(const char* key, const QString& text, qint64*, bool&) {
    const auto value = stored::integer(text);
    if (!value) return std::nullopt;
    const std::string_view name(key);
    if (name == "theme" && (*value < 0 || *value > 2)) return std::nullopt;
    if (name == "notifyDaysBefore" && (*value < 0 || *value > 7)) return std::nullopt;
    return value;
}

std::optional<double> fromStored(const char* key, const QString& text, double*, bool&) {
    const auto value = stored::number(text);
    if (!value) return std::nullopt;
    const std::string_view name(key);
    if (name == "coordsLat" && !isValidCoordinate(*value, CoordinateAxis::latitude)) return std::nullopt;
    if (name == "coordsLon" && !isValidCoordinate(*value, CoordinateAxis::longitude)) return std::nullopt;
    return value;
}

// A wall time is the value itself; an instant, as older versions stored it,
// is the wall time the current zone shows then.
std::optional<WallTime> fromStored(const char*, const QString& text, WallTime*, bool& legacy) {
    if (const auto value = stored::wallTime(text)) return value;
    auto instant = stored::instant(text);
    if (!instant) {
        instant = stored::legacyInstant(text);
        legacy = instant.has_value();
    }
    return instant ? wallTimeAt(*instant) : std::nullopt;
}

// A stored text as the console shows it: short, and nothing a terminal would
// take as a command.
std::string shown(const QString& text) {
    QString line = text.left(40);
    for (QChar& c : line) {
        if (!c.isPrint()) c = QLatin1Char('?');
    }
    return (text.size() > 40 ? line + QStringLiteral("...") : line).toStdString();
}

// A key missing from a store that has its marker.
void readAsMissing(bool& value) { value = false; }
void readAsMissing(qint64& value) { value = 0; }
void readAsMissing(double& value) { value = 0.0; }
void readAsMissing(WallTime& value) { value = todayAt(8, 30); }   // not the first start's nine

// A store holds the first-start marker when it has any value but 0 under its key.
bool isMarked(const SettingsStore& store) {
    return stored::integer(store.value(QLatin1String(userSettingsMarkerKey)).value_or(QString())).value_or(0) != 0;
}

} // namespace

template <class Self, class Visit>
void UserSettings::forEachPreference(Self& self, Visit&& visit) {
    visit("firstRun", self.firstRun_);
    visit("theme", self.theme_);
    visit("wantNotifications", self.wantNotifications_);
    visit("notifyVadididod", self.notifyFestivals_);
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
    // The members hold the first-start values, but for the time.
    notifyTimeOfDay_ = todayAt(9, 0);
    auto store = SettingsStore::open();
    if (!store) return;   // a damaged store that could not be set aside: defaults in memory only

    const bool marked = isMarked(*store);
    const bool holdsPreferences = std::any_of(std::begin(userSettingsKeys), std::end(userSettingsKeys),
                                              [&](const char* key) { return store->contains(QLatin1String(key)); });
    const std::string path = settingsStorePath().toStdString();

    bool rewrite = false;
    std::string refused;
    forEachPreference(*this, [&](const char* key, auto& member) {
        using Value = std::remove_reference_t<decltype(member)>;
        const auto text = store->value(QLatin1String(key));
        bool legacy = false;
        const auto value = text ? fromStored(key, *text, static_cast<Value*>(nullptr), legacy) : std::nullopt;
        if (value) {
            member = *value;
            if (legacy) {
                store->setValue(QLatin1String(key), stored::text(*value));
            } else {
                readTexts_[key] = *text;
            }
        } else if (marked) {
            readAsMissing(member);
        }
        if (text && !value) {
            refused += (refused.empty() ? "" : ", ") + std::string(key) + "=" + shown(*text);
            store->remove(QLatin1String(key));
        }
        rewrite = rewrite || legacy || (text && !value);
    });
    if (!refused.empty()) {
        print("Settings: " + path + " holds values that are not valid (" + refused +
              "); they are taken as missing.");
    }

    if (!marked) {
        // A first start, or a store that lost its marker: what it holds stays.
        if (holdsPreferences) {
            print("Settings: " + path + " has no first-start marker; the preferences it holds are kept " +
                  "and the missing ones take their first-start values.");
        }
        writeTo(*store);
        rewrite = true;
    }
    if (rewrite) store->save();
}

void UserSettings::save() {
    if (auto store = SettingsStore::open()) {
        writeTo(*store);
        store->save();
    }
}

// The marker goes with the sixteen: a store begun anew while the program runs
// (the old one set aside) then reads back as these values, not as a store
// that lost its marker.
void UserSettings::writeTo(SettingsStore& store) const {
    forEachPreference(*this, [&](const char* key, const auto& member) {
        const auto read = readTexts_.find(key);
        store.setValue(QLatin1String(key), read != readTexts_.end() ? read->second : stored::text(member));
    });
    if (!isMarked(store)) store.setValue(QLatin1String(userSettingsMarkerKey), stored::text(userSettingsMarkerValue));
}

platform::Date UserSettings::notifyTimeOfDay() const {
    return instantOf(notifyTimeOfDay_).value_or(platform::Date::now());
}

void UserSettings::setFirstRun(bool value) { assign("firstRun", firstRun_, value, &UserSettings::firstRunChanged); }
void UserSettings::setTheme(qint64 value) { assign("theme", theme_, value, &UserSettings::themeChanged); }
void UserSettings::setWantNotifications(bool value) { assign("wantNotifications", wantNotifications_, value, &UserSettings::wantNotificationsChanged); }
void UserSettings::setNotifyFestivals(bool value) { assign("notifyVadididod", notifyFestivals_, value, &UserSettings::notifyFestivalsChanged); }
void UserSettings::setNotifySeasons(bool value) { assign("notifySeasons", notifySeasons_, value, &UserSettings::notifySeasonsChanged); }
void UserSettings::setNotifySolstice(bool value) { assign("notifySolstice", notifySolstice_, value, &UserSettings::notifySolsticeChanged); }
void UserSettings::setNotifyEquinox(bool value) { assign("notifyEquinox", notifyEquinox_, value, &UserSettings::notifyEquinoxChanged); }
void UserSettings::setShowSiderealZodiac(bool value) { assign("showSiderealZodiac", showSiderealZodiac_, value, &UserSettings::showSiderealZodiacChanged); }
void UserSettings::setShowChineseZodiac(bool value) { assign("showChineseZodiac", showChineseZodiac_, value, &UserSettings::showChineseZodiacChanged); }
void UserSettings::setNotifyEaster(bool value) { assign("notifyEaster", notifyEaster_, value, &UserSettings::notifyEasterChanged); }
void UserSettings::setNotifyOnAstronomicalDates(bool value) { assign("notifyOnAstronomicalDates", notifyOnAstronomicalDates_, value, &UserSettings::notifyOnAstronomicalDatesChanged); }
void UserSettings::setNotifyDaysBefore(qint64 value) { assign("notifyDaysBefore", notifyDaysBefore_, value, &UserSettings::notifyDaysBeforeChanged); }
void UserSettings::setNotifyTimeOfDay(const WallTime& value) {
    if (!store("notifyTimeOfDay", notifyTimeOfDay_, value)) return;
    emit notifyTimeOfDayChanged(notifyTimeOfDay());
    emit changed();
}
void UserSettings::setNotifyTimeOfDay(platform::Date value) {
    setNotifyTimeOfDay(wallTimeAt(value).value_or(notifyTimeOfDay_));
}
void UserSettings::setSpecificCoords(bool value) { assign("specificCoords", specificCoords_, value, &UserSettings::specificCoordsChanged); }
void UserSettings::setCoordsLat(double value) { assign("coordsLat", coordsLat_, value, &UserSettings::coordsLatChanged); }
void UserSettings::setCoordsLon(double value) { assign("coordsLon", coordsLon_, value, &UserSettings::coordsLonChanged); }

} // namespace app
