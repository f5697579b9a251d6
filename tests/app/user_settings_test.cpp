// The sixteen preferences in the per-user defaults store: first start, loading,
// saving, the order of store and announcement, and a damaged store kept aside.

#include "app/user_settings.h"

#include "app/settings_store.h"
#include "platform/core/calendar.h"
#include "platform/core/time_zone.h"
#include "platform/desktop/qt_dates.h"
#include "support/qt_test_application.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <tuple>
#include <utility>

namespace {

using app::UserSettings;

class SettingsStore : public testing::Test {
protected:
    void SetUp() override { wipe(); }
    void TearDown() override { wipe(); }

    static void wipe() {
        const QFileInfo store(app::settingsStorePath());
        QDir folder = store.dir();
        if (folder.exists()) folder.removeRecursively();
    }
    static QSettings store() {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tarnwick"),
                         QStringLiteral("Vadididod"));
    }
    // A store as a first start leaves it, then changed by `change`.
    template <class Change>
    static void markedStore(Change change) {
        { UserSettings first; }
        QSettings s = store();
        change(s);
        s.sync();
    }
    static QDateTime local(platform::Date date) { return platform::toQDateTime(date).toLocalTime(); }
};

TEST_F(SettingsStore, AFirstStartWritesTheMarkerAndTheSixteenDefaults) {
    UserSettings first;
    QSettings s = store();
    EXPECT_EQ(s.value("havePrefs").toInt(), 100);
    for (const char* key : app::UserSettingsKeys) EXPECT_TRUE(s.contains(QLatin1String(key))) << key;
    EXPECT_EQ(s.allKeys().size(), 17);

    EXPECT_TRUE(first.firstRun());
    EXPECT_EQ(first.theme(), 0);
    EXPECT_FALSE(first.wantNotifications());
    EXPECT_TRUE(first.notifyVadididod());
    EXPECT_TRUE(first.notifySeasons());
    EXPECT_TRUE(first.notifySolstice());
    EXPECT_TRUE(first.notifyEquinox());
    EXPECT_FALSE(first.showSiderealZodiac());
    EXPECT_TRUE(first.showChineseZodiac());
    EXPECT_TRUE(first.notifyEaster());
    EXPECT_FALSE(first.notifyOnAstronomicalDates());
    EXPECT_EQ(first.notifyDaysBefore(), 2);
    EXPECT_FALSE(first.specificCoords());
    EXPECT_EQ(first.coordsLat(), 0.0);
    EXPECT_EQ(first.coordsLon(), 0.0);

    const QDateTime time = local(first.notifyTimeOfDay());
    EXPECT_EQ(time.date(), QDate::currentDate());
    EXPECT_EQ(time.time(), QTime(9, 0, 0));
}

// All sixteen values of an instance, to compare two instances.
auto valuesOf(const UserSettings& s) {
    return std::make_tuple(s.firstRun(), s.theme(), s.wantNotifications(), s.notifyVadididod(), s.notifySeasons(),
                           s.notifySolstice(), s.notifyEquinox(), s.showSiderealZodiac(), s.showChineseZodiac(),
                           s.notifyEaster(), s.notifyOnAstronomicalDates(), s.notifyDaysBefore(),
                           s.notifyTimeOfDay().secondsSince1970(), s.specificCoords(), s.coordsLat(), s.coordsLon());
}

TEST_F(SettingsStore, ASecondInstanceLoadsTheSameValues) {
    UserSettings first;
    UserSettings second;
    EXPECT_EQ(valuesOf(second), valuesOf(first));
    EXPECT_EQ(local(second.notifyTimeOfDay()).time(), QTime(9, 0, 0)) << "the first start's nine, not half past eight";
}

TEST_F(SettingsStore, EveryValueComesBackAsItWasSaved) {
    {
        UserSettings s;
        s.setFirstRun(false);
        s.setTheme(2);
        s.setWantNotifications(true);
        s.setNotifyVadididod(false);
        s.setNotifySeasons(false);
        s.setNotifySolstice(false);
        s.setNotifyEquinox(false);
        s.setShowSiderealZodiac(true);
        s.setShowChineseZodiac(false);
        s.setNotifyEaster(false);
        s.setNotifyOnAstronomicalDates(true);
        s.setNotifyDaysBefore(7);
        s.setNotifyTimeOfDay(platform::Date::fromSecondsSince1970(1790000000.25));
        s.setSpecificCoords(true);
        s.setCoordsLat(51.509865);
        s.setCoordsLon(-0.118092);
    }
    UserSettings loaded;
    EXPECT_FALSE(loaded.firstRun());
    EXPECT_EQ(loaded.theme(), 2);
    EXPECT_TRUE(loaded.wantNotifications());
    EXPECT_FALSE(loaded.notifyVadididod());
    EXPECT_FALSE(loaded.notifySeasons());
    EXPECT_FALSE(loaded.notifySolstice());
    EXPECT_FALSE(loaded.notifyEquinox());
    EXPECT_TRUE(loaded.showSiderealZodiac());
    EXPECT_FALSE(loaded.showChineseZodiac());
    EXPECT_FALSE(loaded.notifyEaster());
    EXPECT_TRUE(loaded.notifyOnAstronomicalDates());
    EXPECT_EQ(loaded.notifyDaysBefore(), 7);
    EXPECT_EQ(loaded.notifyTimeOfDay().secondsSince1970(), 1790000000.25);
    EXPECT_TRUE(loaded.specificCoords());
    EXPECT_EQ(loaded.coordsLat(), 51.509865);
    EXPECT_EQ(loaded.coordsLon(), -0.118092);
}

TEST_F(SettingsStore, MissingKeysLoadAsFalseZeroAndHalfPastEight) {
    markedStore([](QSettings& s) {
        s.remove("notifyDaysBefore");
        s.remove("showChineseZodiac");
        s.remove("notifyTimeOfDay");
        s.remove("coordsLat");
    });
    UserSettings loaded;
    EXPECT_EQ(loaded.notifyDaysBefore(), 0);
    EXPECT_FALSE(loaded.showChineseZodiac());
    EXPECT_EQ(loaded.coordsLat(), 0.0);
    const QDateTime time = local(loaded.notifyTimeOfDay());
    EXPECT_EQ(time.date(), QDate::currentDate());
    EXPECT_EQ(time.time(), QTime(8, 30, 0));
}

TEST_F(SettingsStore, OnlyTheMissingTimeBecomesHalfPastEight) {
    markedStore([](QSettings& s) {
        s.setValue("notifyDaysBefore", 4);
        s.setValue("coordsLon", -3.25);
        s.remove("notifyTimeOfDay");
    });
    UserSettings loaded;
    EXPECT_EQ(loaded.notifyDaysBefore(), 4);
    EXPECT_EQ(loaded.coordsLon(), -3.25);
    EXPECT_TRUE(loaded.firstRun());
    EXPECT_TRUE(loaded.showChineseZodiac());
    const QDateTime time = local(loaded.notifyTimeOfDay());
    EXPECT_EQ(time.date(), QDate::currentDate());
    EXPECT_EQ(time.time(), QTime(8, 30, 0));
    EXPECT_FALSE(store().contains("notifyTimeOfDay")) << "loading writes nothing";
}

TEST_F(SettingsStore, ATimeThatIsNoDateLoadsAsHalfPastEight) {
    markedStore([](QSettings& s) { s.setValue("notifyTimeOfDay", QStringLiteral("07:15")); });
    UserSettings loaded;
    EXPECT_EQ(local(loaded.notifyTimeOfDay()).time(), QTime(8, 30, 0));
}

TEST_F(SettingsStore, AnyMarkerButZeroMeansLoad) {
    markedStore([](QSettings& s) {
        s.setValue("havePrefs", 1);
        s.setValue("notifyDaysBefore", 5);
    });
    EXPECT_EQ(UserSettings().notifyDaysBefore(), 5);

    markedStore([](QSettings& s) {
        s.setValue("havePrefs", 0);
        s.setValue("notifyDaysBefore", 5);
    });
    UserSettings fresh;
    EXPECT_EQ(fresh.notifyDaysBefore(), 2) << "a marker of 0 is a first start";
    EXPECT_EQ(store().value("havePrefs").toInt(), 100);
}

TEST_F(SettingsStore, ValuesOutOfRangeAreTakenAsTheyAre) {
    markedStore([](QSettings& s) {
        s.setValue("theme", 5);
        s.setValue("notifyDaysBefore", -3);
        s.setValue("coordsLat", 123.5);
    });
    UserSettings loaded;
    EXPECT_EQ(loaded.theme(), 5);
    EXPECT_EQ(loaded.notifyDaysBefore(), -3);
    EXPECT_EQ(loaded.coordsLat(), 123.5);
}

TEST_F(SettingsStore, ValuesOfTheWrongKindReadAsTheStoreReadsThem) {
    markedStore([](QSettings& s) {
        s.setValue("theme", QStringLiteral("dark"));
        s.setValue("coordsLon", QStringLiteral("west"));
    });
    UserSettings loaded;
    EXPECT_EQ(loaded.theme(), 0);
    EXPECT_EQ(loaded.coordsLon(), 0.0);
}

TEST_F(SettingsStore, AssigningTheSameValueSavesButAnnouncesNothing) {
    UserSettings s;
    int announced = 0;
    int changed = 0;
    QObject::connect(&s, &UserSettings::notifyEasterChanged, [&](bool) { ++announced; });
    QObject::connect(&s, &UserSettings::changed, [&] { ++changed; });
    store().remove("notifySeasons");   // a save writes every key again
    s.setNotifyEaster(true);
    EXPECT_EQ(announced, 0);
    EXPECT_EQ(changed, 0);
    EXPECT_TRUE(store().contains("notifySeasons"));

    s.setNotifyEaster(false);
    s.setNotifyEaster(false);
    EXPECT_EQ(announced, 1);
    EXPECT_EQ(changed, 1);
}

TEST_F(SettingsStore, AnAnnouncementComesAfterTheValueIsStored) {
    UserSettings s;
    qint64 seenByTheSlot = -1;
    QObject::connect(&s, &UserSettings::themeChanged, [&](qint64) { seenByTheSlot = UserSettings().theme(); });
    s.setTheme(2);
    EXPECT_EQ(seenByTheSlot, 2);
}

TEST_F(SettingsStore, TheLastInstanceAssignedToHoldsTheStore) {
    UserSettings a;
    UserSettings b;
    a.setTheme(2);
    b.setFirstRun(false);
    UserSettings after;
    EXPECT_EQ(after.theme(), 0) << "b's copy of the theme was written back";
    EXPECT_FALSE(after.firstRun());
}

TEST_F(SettingsStore, TheNotificationTimeKeepsItsInstantWhenTheTimeZoneChanges) {
    const platform::Date saved = platform::Date::fromSecondsSince1970(1790001234.0);
    UserSettings().setNotifyTimeOfDay(saved);

    const char* before = std::getenv("TZ");
    const std::string zone = before ? before : "";
    setenv("TZ", zone == "Pacific/Kiritimati" ? "America/New_York" : "Pacific/Kiritimati", 1);
    tzset();
    const platform::Date loaded = UserSettings().notifyTimeOfDay();
    if (before) {
        setenv("TZ", zone.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
    EXPECT_EQ(loaded, saved);
}

TEST_F(SettingsStore, ADamagedStoreIsKeptAsideNotWrittenOver) {
    const QString path = app::settingsStorePath();
    QDir().mkpath(QFileInfo(path).path());
    const QByteArray damaged = "[General]\nnotifyDaysBefore=6\nhavePrefs=100\n[Gen";
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(damaged);
    }

    std::string output = testsupport::consoleOutputOf([] { UserSettings s; });
    EXPECT_NE(output.find("Settings: " + path.toStdString()), std::string::npos) << output;
    EXPECT_NE(output.find("kept as"), std::string::npos) << output;

    const QStringList aside = QFileInfo(path).dir().entryList({QStringLiteral("Vadididod.conf.damaged-*")});
    ASSERT_EQ(aside.size(), 1);
    QFile kept(QFileInfo(path).dir().filePath(aside.front()));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), damaged);
    EXPECT_EQ(store().value("havePrefs").toInt(), 100) << "a new store was begun";
}

// Writes `contents` as the store file, makes an instance, and returns the
// file set aside (empty when none) with the console output.
std::pair<QString, std::string> openDamaged(const QByteArray& contents) {
    const QString path = app::settingsStorePath();
    QDir().mkpath(QFileInfo(path).path());
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) return {};
        file.write(contents);
    }
    const std::string output = testsupport::consoleOutputOf([] { UserSettings().setTheme(2); });
    const QStringList aside = QFileInfo(path).dir().entryList({QStringLiteral("Vadididod.conf.damaged-*")});
    return {aside.size() == 1 ? QFileInfo(path).dir().filePath(aside.front()) : QString(), output};
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(SettingsStore, AStoreEndingInNulBytesIsKeptAside) {
    // What a crash while the disk was writing can leave behind.
    const QByteArray damaged = QByteArray("[General]\nhavePrefs=100\ntheme=1\n") + QByteArray(512, '\0');
    const auto [aside, output] = openDamaged(damaged);
    ASSERT_FALSE(aside.isEmpty()) << output;
    EXPECT_EQ(contentsOf(aside), damaged);
    EXPECT_EQ(UserSettings().theme(), 2);
}

TEST_F(SettingsStore, AStoreWithALineThatIsNoPreferenceIsKeptAside) {
    const QByteArray damaged = "[General]\nhavePrefs=100\nnotifyDaysBefore=6\nnotifyEas";
    const auto [aside, output] = openDamaged(damaged);
    ASSERT_FALSE(aside.isEmpty()) << output;
    EXPECT_NE(output.find("is damaged"), std::string::npos) << output;
    EXPECT_EQ(contentsOf(aside), damaged);
}

TEST_F(SettingsStore, AStoreOfBinaryGarbageIsKeptAside) {
    QByteArray damaged;
    for (int i = 0; i < 4096; ++i) damaged.append(static_cast<char>((i * 7919 + 13) % 256));
    const auto [aside, output] = openDamaged(damaged);
    ASSERT_FALSE(aside.isEmpty()) << output;
    EXPECT_EQ(contentsOf(aside), damaged);
    EXPECT_EQ(UserSettings().theme(), 2) << "the new store serves from then on";
}

TEST_F(SettingsStore, AnEmptiedStoreIsAFirstStartNotDamage) {
    UserSettings().setTheme(1);
    app::resetDefaults();
    std::string output = testsupport::consoleOutputOf([] { UserSettings().setTheme(2); });
    EXPECT_EQ(output, "");
    EXPECT_TRUE(QFileInfo(app::settingsStorePath()).dir().entryList({QStringLiteral("*.damaged-*")}).isEmpty());
}

TEST_F(SettingsStore, AStoreThatCannotBeReadIsKeptAsideToo) {
    const QString path = app::settingsStorePath();
    QDir().mkpath(path + QStringLiteral("/in-the-way"));   // a folder where the file should be
    testsupport::consoleOutputOf([] { UserSettings().setTheme(1); });
    EXPECT_TRUE(QFileInfo(path).isFile());
    EXPECT_EQ(UserSettings().theme(), 1);
    const QStringList aside = QFileInfo(path).dir().entryList({QStringLiteral("Vadididod.conf.damaged-*")},
                                                              QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_TRUE(QFileInfo(QFileInfo(path).dir().filePath(aside.front()) + QStringLiteral("/in-the-way")).isDir());
}

TEST_F(SettingsStore, ResetDefaultsEmptiesTheStore) {
    UserSettings().setTheme(2);
    app::resetDefaults();
    EXPECT_TRUE(store().allKeys().isEmpty());
    UserSettings fresh;
    EXPECT_EQ(fresh.theme(), 0);
    EXPECT_EQ(store().value("havePrefs").toInt(), 100);
}

TEST_F(SettingsStore, TheSharedInstanceIsOne) {
    EXPECT_EQ(&UserSettings::shared(), &UserSettings::shared());
}

} // namespace
