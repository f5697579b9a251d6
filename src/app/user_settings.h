#pragma once
// The sixteen preferences of the program, kept in the per-user defaults store
// under keys equal to their names; `notifyFestivals` is stored under the key
// "notifyVadididod", which stores written by earlier versions hold.
//
// Each instance reads the store once, when it is made, and keeps its own copy.
// Every assignment, also of the value already held, stores the value and saves
// all sixteen preferences (a save that fails leaves the file as it was, and the
// instance keeps the value, which its next save that succeeds writes). Then,
// only when the value differs from the one held before, the change is
// announced (the property's own signal, then `changed()`), so a slot that
// reads this object or the store sees the new value, and writing the theme
// already in place applies nothing again. Assigned values are taken as they
// come: nothing is range-checked.
//
// On a first start (an empty store) the defaults are taken and written at once,
// with the marker "havePrefs" 100, so every instance made afterwards, in any
// order, reads the same values. With the marker present (any value but 0) a
// missing key reads as false, 0, 0.0, or today at 08:30 for the time.
//
// The store's own values are never overwritten by defaults. A store that holds
// preferences but lacks the marker (a file cut short, say) keeps them: only the
// missing ones take their first-start values, and the marker is added. A value
// that is not one of its kind, or is out of its range (a theme beyond 0-2, days
// before beyond 0-7, a coordinate that is not finite or beyond its axis), counts
// as missing; it is named once on the console and removed from the store. A
// notification time in the serialised form of older versions is read once and
// written back as text.
//
// Reading a preference never changes it: until a preference is assigned, every
// save writes it back exactly as it was read.
//
// The notification time is a clock time: it is kept as the wall time it was set
// to, with that day's date and without a zone (wall_time.h), and read back as
// those fields whatever the zone is then (18:00 stays 18:00 when the zone
// changes, and 02:30 stays 02:30 where the clocks skip it on that date). A time
// stored as an instant, as older versions did, reads as the wall time the
// current zone shows at that instant.

#include "app/wall_time.h"

#include "platform/core/date.h"

#include <QObject>
#include <QString>
#include <QtGlobal>

#include <map>
#include <string_view>

namespace app {

class SettingsStore;

class UserSettings : public QObject {
    Q_OBJECT

public:
    // The one shared instance, made on first use and kept until the process ends.
    static UserSettings& shared();

    UserSettings();
    ~UserSettings() override;

    // Writes all sixteen preferences of this instance to the store, in their
    // order, with the first-start marker when the store lacks it.
    void save();

    bool firstRun() const noexcept { return firstRun_; }
    qint64 theme() const noexcept { return theme_; }   // 0 follows the system, 1 light, 2 dark
    bool wantNotifications() const noexcept { return wantNotifications_; }
    bool notifyFestivals() const noexcept { return notifyFestivals_; }
    bool notifySeasons() const noexcept { return notifySeasons_; }
    bool notifySolstice() const noexcept { return notifySolstice_; }
    bool notifyEquinox() const noexcept { return notifyEquinox_; }
    bool showSiderealZodiac() const noexcept { return showSiderealZodiac_; }
    bool showChineseZodiac() const noexcept { return showChineseZodiac_; }
    bool notifyEaster() const noexcept { return notifyEaster_; }
    bool notifyOnAstronomicalDates() const noexcept { return notifyOnAstronomicalDates_; }
    qint64 notifyDaysBefore() const noexcept { return notifyDaysBefore_; }
    // The clock time chosen, with the date it was set on (only the clock time counts).
    const WallTime& notifyWallTime() const noexcept { return notifyTimeOfDay_; }
    // The instant it names on that date in the current zone (or now, should the
    // calendar form none): where the clocks skip that time then, the instant
    // lies later by the gap, while the preference keeps the time as chosen.
    platform::Date notifyTimeOfDay() const;
    bool specificCoords() const noexcept { return specificCoords_; }
    double coordsLat() const noexcept { return coordsLat_; }   // degrees, north positive
    double coordsLon() const noexcept { return coordsLon_; }   // degrees, east positive

    void setFirstRun(bool value);
    void setTheme(qint64 value);
    void setWantNotifications(bool value);
    void setNotifyFestivals(bool value);
    void setNotifySeasons(bool value);
    void setNotifySolstice(bool value);
    void setNotifyEquinox(bool value);
    void setShowSiderealZodiac(bool value);
    void setShowChineseZodiac(bool value);
    void setNotifyEaster(bool value);
    void setNotifyOnAstronomicalDates(bool value);
    void setNotifyDaysBefore(qint64 value);
    void setNotifyTimeOfDay(const WallTime& value);
    // The wall time the current zone shows at that instant; one whose year
    // there is not one of 1 to 9999 leaves the time as it was (and saves).
    void setNotifyTimeOfDay(platform::Date value);
    void setSpecificCoords(bool value);
    void setCoordsLat(double value);
    void setCoordsLon(double value);

signals:
    void firstRunChanged(bool value);
    void themeChanged(qint64 value);
    void wantNotificationsChanged(bool value);
    void notifyFestivalsChanged(bool value);
    void notifySeasonsChanged(bool value);
    void notifySolsticeChanged(bool value);
    void notifyEquinoxChanged(bool value);
    void showSiderealZodiacChanged(bool value);
    void showChineseZodiacChanged(bool value);
    void notifyEasterChanged(bool value);
    void notifyOnAstronomicalDatesChanged(bool value);
    void notifyDaysBeforeChanged(qint64 value);
    void notifyTimeOfDayChanged(platform::Date value);
    void specificCoordsChanged(bool value);
    void coordsLatChanged(double value);
    void coordsLonChanged(double value);

    // After any one of the sixteen has been assigned and saved.
    void changed();

private:
    void loadOrDefault();
    void writeTo(SettingsStore& store) const;

    // Calls visit(key, member) for each of the sixteen, in their order.
    template <class Self, class Visit>
    static void forEachPreference(Self& self, Visit&& visit);

    // Stores the preference kept under `key` and saves; true when the value
    // differs from the one held before.
    template <class T>
    bool store(const char* key, T& member, const T& value) {
        const bool differs = !(member == value);
        member = value;
        readTexts_.erase(key);
        save();
        return differs;
    }
    // Stores, saves, then announces a change: the order every assignment keeps.
    template <class T>
    void assign(const char* key, T& member, T value, void (UserSettings::*announce)(T)) {
        if (!store(key, member, value)) return;
        emit(this->*announce)(value);
        emit changed();
    }

    bool firstRun_ = true;
    qint64 theme_ = 0;
    bool wantNotifications_ = false;
    bool notifyFestivals_ = true;
    bool notifySeasons_ = true;
    bool notifySolstice_ = true;
    bool notifyEquinox_ = true;
    bool showSiderealZodiac_ = false;
    bool showChineseZodiac_ = true;
    bool notifyEaster_ = true;
    bool notifyOnAstronomicalDates_ = false;
    qint64 notifyDaysBefore_ = 2;
    WallTime notifyTimeOfDay_;
    bool specificCoords_ = false;
    double coordsLat_ = 0.0;
    double coordsLon_ = 0.0;

    // The text each preference was read from, by its store key, for as long
    // as it is not assigned: saves write it back as it stood.
    std::map<std::string_view, QString> readTexts_;
};

// The store's keys, in the order the preferences are saved.
inline constexpr const char* userSettingsKeys[16] = {
    "firstRun", "theme", "wantNotifications", "notifyVadididod", "notifySeasons", "notifySolstice",
    "notifyEquinox", "showSiderealZodiac", "showChineseZodiac", "notifyEaster", "notifyOnAstronomicalDates",
    "notifyDaysBefore", "notifyTimeOfDay", "specificCoords", "coordsLat", "coordsLon",
};
inline constexpr const char* userSettingsMarkerKey = "havePrefs";
inline constexpr qint64 userSettingsMarkerValue = 100;

} // namespace app
