// The sixteen preferences in the per-user defaults store: first start, loading,
// saving, the order of store and announcement, values that are not valid, a
// store that lost its marker, old files, and stores that cannot serve.

#include "app/user_settings.h"

#include "app/file_replacement.h"
#include "app/settings_store.h"
#include "platform/core/system_calls.h"
#include "platform/desktop/qt_dates.h"
#include "support/failing_writes.h"
#include "support/qt_test_application.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using app::UserSettings;

class SettingsStore : public testing::Test {
protected:
    void SetUp() override { wipe(); }
    void TearDown() override { wipe(); }

    static QString path() { return app::settingsStorePath(); }
    static QDir folder() { return QFileInfo(path()).dir(); }
    static void wipe() {
        if (folder().exists()) folder().removeRecursively();
    }
    static void writeFile(const QByteArray& text) {
        QDir().mkpath(folder().path());
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }
    static QByteArray fileText() {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The store's values as the file holds them, read as plain text.
    static app::SettingsStore::Values store() {
        return app::parseSettingsText(fileText()).value_or(app::SettingsStore::Values{});
    }
    // A store as a first start leaves it, then changed by `change`.
    template <class Change>
    static void markedStore(Change change) {
        { UserSettings first; }
        app::SettingsStore::Values values = store();
        change(values);
        writeFile(app::settingsText(values));
    }
    static QStringList setAside() { return folder().entryList({QStringLiteral("Vadididod.conf.damaged-*")},
                                                              QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot); }
    static QDateTime local(platform::Date date) { return platform::toQDateTime(date).toLocalTime(); }
    // The wall time the C library shows for an instant in the test's zone, as
    // the store keeps a clock time.
    static std::string wallText(std::time_t seconds, int milliseconds) {
        std::tm fields{};
        localtime_r(&seconds, &fields);
        char text[40];
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &fields);
        return text + QString::asprintf(".%03d", milliseconds).toStdString();
    }
    // Runs `run` with TZ set to `zone`, then gives the test's zone back.
    template <class Run>
    static void inZone(const char* zone, Run run) {
        const char* before = std::getenv("TZ");
        const std::string saved = before ? before : "";
        setenv("TZ", zone, 1);
        tzset();
        run();
        if (before) {
            setenv("TZ", saved.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
};

TEST_F(SettingsStore, AFirstStartWritesTheMarkerAndTheSixteenDefaults) {
    UserSettings first;
    const auto s = store();
    EXPECT_EQ(s.at("havePrefs"), "100");
    for (const char* key : app::userSettingsKeys) EXPECT_TRUE(s.count(QLatin1String(key))) << key;
    EXPECT_EQ(s.size(), 17u);

    EXPECT_TRUE(first.firstRun());
    EXPECT_EQ(first.theme(), 0);
    EXPECT_FALSE(first.wantNotifications());
    EXPECT_TRUE(first.notifyFestivals());
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

// The file holds the user's coordinates: only the user reads it, unless the
// user has chosen otherwise, which a save keeps.
TEST_F(SettingsStore, TheFileIsTheUsersAloneInAFolderOfTheirsAloneUnlessTheUserOpensIt) {
    const mode_t before = ::umask(022);
    { UserSettings first; }
    struct stat file {};
    struct stat dir {};
    ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &file), 0);
    ASSERT_EQ(::stat(QFile::encodeName(folder().path()).constData(), &dir), 0);
    EXPECT_EQ(file.st_mode & 0777, 0600u);
    EXPECT_EQ(dir.st_mode & 0777, 0700u);

    // A folder left open by an older version is closed at the next save; the
    // file the user let others read stays readable, with the change saved.
    ASSERT_EQ(::chmod(QFile::encodeName(folder().path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path()).constData(), 0644), 0);
    const ino_t opened = file.st_ino;
    UserSettings().setTheme(1);
    ::umask(before);
    ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &file), 0);
    ASSERT_EQ(::stat(QFile::encodeName(folder().path()).constData(), &dir), 0);
    EXPECT_NE(file.st_ino, opened) << "the change was saved in a new file";
    EXPECT_EQ(store().at("theme"), "1");
    EXPECT_EQ(file.st_mode & 0777, 0644u);
    EXPECT_EQ(dir.st_mode & 0777, 0700u);
}

// The program saves at every start: one where nothing changed leaves the file
// as it is, so a second hard link to it (a backup, a dotfile repository) stays
// one.
TEST_F(SettingsStore, ASaveOfNoChangeLeavesTheFileUntouched) {
    { UserSettings first; }
    const QByteArray second = QFile::encodeName(folder().filePath(QStringLiteral("second-link")));
    ASSERT_EQ(::link(QFile::encodeName(path()).constData(), second.constData()), 0);
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &before), 0);
    ASSERT_EQ(before.st_nlink, 2u);

    UserSettings start;
    start.save();
    start.setTheme(start.theme());   // an assignment of the value held saves too
    struct stat after {};
    ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_nlink, 2u);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
}

TEST_F(SettingsStore, EveryValueIsStoredAsPlainText) {
    UserSettings s;
    s.setTheme(2);
    s.setNotifyTimeOfDay(platform::Date::fromSecondsSince1970(1790000000.25));
    s.setCoordsLat(51.509865);
    s.setCoordsLon(-0.118092);
    const QByteArray text = fileText();
    EXPECT_FALSE(text.contains('@')) << text.toStdString();
    EXPECT_TRUE(text.startsWith("[General]\n"));
    const auto values = store();
    EXPECT_EQ(values.at("theme"), "2");
    EXPECT_EQ(values.at("firstRun"), "true");
    EXPECT_EQ(values.at("wantNotifications"), "false");
    EXPECT_EQ(values.at("notifyTimeOfDay").toStdString(), wallText(1790000000, 250));
    EXPECT_EQ(values.at("coordsLat"), "51.509865");
    EXPECT_EQ(values.at("coordsLon"), "-0.118092");
}

// All sixteen values of an instance, to compare two instances.
auto valuesOf(const UserSettings& s) {
    return std::make_tuple(s.firstRun(), s.theme(), s.wantNotifications(), s.notifyFestivals(), s.notifySeasons(),
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

// Each value is assigned over one read from the store, which saves keep as it
// stood until then.
TEST_F(SettingsStore, EveryValueComesBackAsItWasSaved) {
    { UserSettings first; }
    {
        UserSettings s;
        s.setFirstRun(false);
        s.setTheme(2);
        s.setWantNotifications(true);
        s.setNotifyFestivals(false);
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
    EXPECT_FALSE(loaded.notifyFestivals());
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
    markedStore([](auto& s) {
        s.erase("notifyDaysBefore");
        s.erase("showChineseZodiac");
        s.erase("notifyTimeOfDay");
        s.erase("coordsLat");
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
    markedStore([](auto& s) {
        s["notifyDaysBefore"] = "4";
        s["coordsLon"] = "-3.25";
        s.erase("notifyTimeOfDay");
    });
    const QByteArray before = fileText();
    UserSettings loaded;
    EXPECT_EQ(loaded.notifyDaysBefore(), 4);
    EXPECT_EQ(loaded.coordsLon(), -3.25);
    EXPECT_TRUE(loaded.firstRun());
    EXPECT_TRUE(loaded.showChineseZodiac());
    const QDateTime time = local(loaded.notifyTimeOfDay());
    EXPECT_EQ(time.date(), QDate::currentDate());
    EXPECT_EQ(time.time(), QTime(8, 30, 0));
    EXPECT_EQ(fileText(), before) << "loading writes nothing";
}

TEST_F(SettingsStore, ATimeThatIsNoDateLoadsAsHalfPastEight) {
    markedStore([](auto& s) { s["notifyTimeOfDay"] = "07:15"; });
    UserSettings loaded;
    EXPECT_EQ(local(loaded.notifyTimeOfDay()).time(), QTime(8, 30, 0));
}

TEST_F(SettingsStore, AnyMarkerButZeroMeansLoad) {
    markedStore([](auto& s) {
        s["havePrefs"] = "1";
        s["notifyDaysBefore"] = "5";
        s.erase("showChineseZodiac");
    });
    UserSettings loaded;
    EXPECT_EQ(loaded.notifyDaysBefore(), 5);
    EXPECT_FALSE(loaded.showChineseZodiac()) << "with a marker, a missing key reads as false";
}

// A file cut at a line boundary: the preferences it holds survive, the missing
// ones take their first-start values, and the marker is written.
TEST_F(SettingsStore, AStoreWithoutItsMarkerKeepsWhatItHolds) {
    writeFile("[General]\ncoordsLat=51.5\ncoordsLon=0\n");
    std::string output;
    UserSettings* loaded = nullptr;
    output = testsupport::consoleOutputOf([&] { loaded = new UserSettings; });
    std::unique_ptr<UserSettings> owner(loaded);
    EXPECT_EQ(loaded->coordsLat(), 51.5);
    EXPECT_EQ(loaded->coordsLon(), 0.0);
    EXPECT_EQ(loaded->notifyDaysBefore(), 2);
    EXPECT_TRUE(loaded->showChineseZodiac());
    EXPECT_TRUE(loaded->firstRun());
    EXPECT_EQ(local(loaded->notifyTimeOfDay()).time(), QTime(9, 0, 0));
    EXPECT_NE(output.find("no first-start marker"), std::string::npos) << output;

    const auto s = store();
    EXPECT_EQ(s.at("havePrefs"), "100");
    EXPECT_EQ(s.at("coordsLat"), "51.5");
    EXPECT_EQ(s.size(), 17u);
    EXPECT_EQ(UserSettings().coordsLat(), 51.5);
}

TEST_F(SettingsStore, AMarkerOfZeroWithPreferencesKeepsThemToo) {
    markedStore([](auto& s) {
        s["havePrefs"] = "0";
        s["notifyDaysBefore"] = "5";
        s["theme"] = "2";
    });
    testsupport::consoleOutputOf([] {
        UserSettings loaded;
        EXPECT_EQ(loaded.notifyDaysBefore(), 5);
        EXPECT_EQ(loaded.theme(), 2);
    });
    EXPECT_EQ(store().at("havePrefs"), "100");
}

TEST_F(SettingsStore, AnEmptyFileStartsFresh) {
    writeFile("");
    std::string output = testsupport::consoleOutputOf([] { EXPECT_EQ(UserSettings().notifyDaysBefore(), 2); });
    EXPECT_EQ(output, "");
    EXPECT_EQ(store().at("havePrefs"), "100");
}

// Values hand-edited out of their range or not finite count as missing, are
// named once on the console, and are gone from the store from then on.
TEST_F(SettingsStore, ValuesOutOfRangeOrNotFiniteCountAsMissing) {
    for (const char* bad : {"nan", "inf", "-inf", "95", "-90.5", "1e999"}) {
        markedStore([&](auto& s) {
            s["coordsLat"] = QString::fromLatin1(bad);
            s["coordsLon"] = "-180.5";
            s["theme"] = "5";
            s["notifyDaysBefore"] = "-3";
        });
        std::string output = testsupport::consoleOutputOf([] {
            UserSettings loaded;
            EXPECT_EQ(loaded.coordsLat(), 0.0);
            EXPECT_EQ(loaded.coordsLon(), 0.0);
            EXPECT_EQ(loaded.theme(), 0);
            EXPECT_EQ(loaded.notifyDaysBefore(), 0);
        });
        EXPECT_NE(output.find("coordsLat=" + std::string(bad)), std::string::npos) << output;
        EXPECT_NE(output.find("theme=5"), std::string::npos) << output;
        EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
        EXPECT_FALSE(store().count("coordsLat")) << bad;

        output = testsupport::consoleOutputOf([] { UserSettings().save(); });
        EXPECT_EQ(output, "") << "said once";
        EXPECT_EQ(store().at("coordsLat"), "0");
    }
}

TEST_F(SettingsStore, ValuesAtTheEndsOfTheirRangesAreKept) {
    markedStore([](auto& s) {
        s["coordsLat"] = "-90";
        s["coordsLon"] = "180";
        s["theme"] = "2";
        s["notifyDaysBefore"] = "7";
    });
    const std::string output = testsupport::consoleOutputOf([] {
        UserSettings loaded;
        EXPECT_EQ(loaded.coordsLat(), -90.0);
        EXPECT_EQ(loaded.coordsLon(), 180.0);
        EXPECT_EQ(loaded.theme(), 2);
        EXPECT_EQ(loaded.notifyDaysBefore(), 7);
    });
    EXPECT_EQ(output, "");
}

TEST_F(SettingsStore, ValuesOfTheWrongKindCountAsMissing) {
    markedStore([](auto& s) {
        s["theme"] = "dark";
        s["coordsLon"] = "west";
        s["wantNotifications"] = "yes";
        s["notifyDaysBefore"] = "2.5";
    });
    testsupport::consoleOutputOf([] {
        UserSettings loaded;
        EXPECT_EQ(loaded.theme(), 0);
        EXPECT_EQ(loaded.coordsLon(), 0.0);
        EXPECT_FALSE(loaded.wantNotifications());
        EXPECT_EQ(loaded.notifyDaysBefore(), 0);
    });
}

TEST_F(SettingsStore, AValueIsShownOnTheConsoleShortAndHarmless) {
    markedStore([](auto& s) { s["coordsLat"] = QString(200, QLatin1Char('9')) + QChar(0x1b) + QStringLiteral("[2J"); });
    const std::string output = testsupport::consoleOutputOf([] { UserSettings loaded; });
    EXPECT_EQ(output.find('\x1b'), std::string::npos);
    EXPECT_LT(output.size(), 400u) << output;
}

// Older versions stored the notification time in Qt's serialised form: it is
// read once, field by field, and written back as text.
TEST_F(SettingsStore, AnOldFilesInstantIsReadOnceAndRewrittenAsText) {
    const QDateTime saved = QDateTime::fromMSecsSinceEpoch(1790000000250LL, Qt::UTC);
    {
        QSettings old(path(), QSettings::IniFormat);
        old.setValue("havePrefs", 100);
        old.setValue("theme", 2);
        old.setValue("coordsLat", 51.509865);
        old.setValue("notifyTimeOfDay", saved);
        old.sync();
    }
    ASSERT_TRUE(fileText().contains("@DateTime(")) << fileText().toStdString();
    UserSettings loaded;
    EXPECT_EQ(loaded.notifyTimeOfDay().secondsSince1970(), 1790000000.25);
    EXPECT_EQ(loaded.theme(), 2);
    EXPECT_EQ(loaded.coordsLat(), 51.509865);
    EXPECT_FALSE(fileText().contains('@')) << fileText().toStdString();
    EXPECT_EQ(store().at("notifyTimeOfDay").toStdString(), wallText(1790000000, 250));
    EXPECT_EQ(UserSettings().notifyTimeOfDay().secondsSince1970(), 1790000000.25);
}

// Serialised values that would make a deserialiser allocate gigabytes are
// never decoded: a time zone by name, and values of other keys altogether.
TEST_F(SettingsStore, SerialisedValuesAreNeverDecoded) {
    writeFile("[General]\nhavePrefs=100\ntheme=1\n"
              "notifyTimeOfDay=@DateTime(\\0\\0\\0\\x10\\0\\0\\0\\0\\0\\0%\\x8ey\\x3\\r@\\xfa\\x3\\x7f\\xff\\xff\\xff)\n"
              "x=@DateTime(\\0\\0\\0\\x10\\0\\0\\0\\0\\0\\0%\\x8ey\\x3\\r@\\xfa\\x3\\x7f\\xff\\xff\\xff)\n"
              "y=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x7f\\xff\\xff\\xff)\n");
    testsupport::consoleOutputOf([] {
        UserSettings loaded;
        EXPECT_EQ(loaded.theme(), 1);
        EXPECT_EQ(local(loaded.notifyTimeOfDay()).time(), QTime(8, 30, 0));
    });
    UserSettings().save();
    EXPECT_FALSE(store().at("notifyTimeOfDay").startsWith(QLatin1Char('@')));
}

TEST_F(SettingsStore, AssigningTheSameValueSavesButAnnouncesNothing) {
    UserSettings s;
    int announced = 0;
    int changed = 0;
    QObject::connect(&s, &UserSettings::notifyEasterChanged, [&](bool) { ++announced; });
    QObject::connect(&s, &UserSettings::changed, [&] { ++changed; });
    auto values = store();
    values.erase("notifySeasons");   // a save writes every key again
    writeFile(app::settingsText(values));
    s.setNotifyEaster(true);
    EXPECT_EQ(announced, 0);
    EXPECT_EQ(changed, 0);
    EXPECT_TRUE(store().count("notifySeasons"));

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

// The time of day is a clock time: 18:00 chosen in one zone is 18:00 on the
// same day in the test's zone, whichever that is. A time that older versions
// stored as an instant still reads as that instant.
TEST_F(SettingsStore, TheNotificationTimeKeepsItsClockTimeWhenTheTimeZoneChanges) {
    // 21 September 2026 at 18:00 in each zone.
    for (const auto& [zone, sixPm] : {std::pair{"UTC", 1790013600.0}, std::pair{"America/New_York", 1790028000.0}}) {
        inZone(zone, [&] { UserSettings().setNotifyTimeOfDay(platform::Date::fromSecondsSince1970(sixPm)); });
        const QDateTime loaded = local(UserSettings().notifyTimeOfDay());
        EXPECT_EQ(loaded.date(), QDate(2026, 9, 21)) << zone;
        EXPECT_EQ(loaded.time(), QTime(18, 0)) << zone;
    }

    markedStore([](auto& s) { s["notifyTimeOfDay"] = "2026-09-21T22:00:00.000Z"; });
    EXPECT_EQ(UserSettings().notifyTimeOfDay().secondsSince1970(), 1790028000.0);
}

// The clock time the user chose is the value, also where the clocks skip it on
// the day it was stored with: only that day's instant moves on by the gap. A
// save of what was read, as the window's first showing makes, and a save for
// another preference write it back as it stood. Read in the zone whose clocks
// skip it, and in the test's own.
TEST_F(SettingsStore, ANotificationTimeInAGapOfTheClocksKeepsItsClockTime) {
    struct Gap {
        const char* zone;
        const char* stored;
        int hour;
        int minute;
        double thatDay;   // the instant it names on its own day there
    };
    // New York springs forward an hour at 02:00, Lord Howe half an hour.
    for (const Gap& gap : {Gap{"America/New_York", "2026-03-08T02:30:00.000", 2, 30, 1772955000.0},
                           Gap{"Australia/Lord_Howe", "2026-10-04T02:15:00.000", 2, 15, 1791042300.0}}) {
        for (const char* zone : std::initializer_list<const char*>{gap.zone, std::getenv("TZ")}) {
            markedStore([&](auto& s) { s["notifyTimeOfDay"] = QString::fromLatin1(gap.stored); });
            const QByteArray before = fileText();
            inZone(zone, [&] {
                UserSettings loaded;
                EXPECT_EQ(loaded.notifyWallTime().hour, gap.hour) << zone;
                EXPECT_EQ(loaded.notifyWallTime().minute, gap.minute) << zone;
                if (zone == gap.zone) {
                    EXPECT_EQ(loaded.notifyTimeOfDay().secondsSince1970(), gap.thatDay);
                }
                loaded.save();
                EXPECT_EQ(fileText().toStdString(), before.toStdString()) << zone;
                loaded.setTheme(2);
                EXPECT_EQ(store().at("notifyTimeOfDay").toStdString(), gap.stored) << zone;
            });
        }
    }
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
    EXPECT_EQ(store().at("havePrefs"), "100") << "a new store was begun";
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

// Opening a FIFO for reading would wait for a writer forever. The watchdog
// ends the test binary should the store ever block on it.
TEST_F(SettingsStore, AFifoAtThePathIsSetAsideWithoutWaiting) {
    QDir().mkpath(folder().path());
    ASSERT_EQ(::mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
    ::alarm(20);
    const std::string output = testsupport::consoleOutputOf([] { UserSettings().setTheme(2); });
    ::alarm(0);
    EXPECT_NE(output.find("is not a regular file"), std::string::npos) << output;
    ASSERT_EQ(setAside().size(), 1);
    EXPECT_TRUE(QFileInfo(folder().filePath(setAside().front())).exists());
    EXPECT_TRUE(QFileInfo(path()).isFile());
    EXPECT_EQ(UserSettings().theme(), 2);
}

// A file beyond 1 MiB is judged by its size, before anything of it is read.
TEST_F(SettingsStore, AFileLargerThanOneMebibyteIsSetAsideUnread) {
    QDir().mkpath(folder().path());
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[General]\nhavePrefs=100\ntheme=2\n");
        ASSERT_TRUE(file.resize(qint64{2} * 1024 * 1024 * 1024));   // sparse: 2 GiB of nothing on disk
    }
    const std::string output = testsupport::consoleOutputOf([] { EXPECT_EQ(UserSettings().theme(), 0); });
    EXPECT_NE(output.find("is larger than 1 MiB"), std::string::npos) << output;
    ASSERT_EQ(setAside().size(), 1);
    EXPECT_EQ(QFileInfo(folder().filePath(setAside().front())).size(), qint64{2} * 1024 * 1024 * 1024);
}

TEST_F(SettingsStore, AFileOfExactlyOneMebibyteIsRead) {
    QByteArray text = "[General]\nhavePrefs=100\ntheme=2\n";
    text += QByteArray(static_cast<qsizetype>(app::settingsStoreMaximumBytes) - text.size(), '\n');
    writeFile(text);
    const std::string output = testsupport::consoleOutputOf([] { EXPECT_EQ(UserSettings().theme(), 2); });
    EXPECT_EQ(output, "");
    EXPECT_TRUE(setAside().isEmpty());
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

// A save the disk refuses (full, here) leaves the file as it was and says so
// in one console line; the instance keeps the value it was given.
TEST_F(SettingsStore, ASaveTheDiskRefusesLeavesTheFileAsItWas) {
    markedStore([](auto& s) {
        s["theme"] = "2";
        s["coordsLat"] = "12.5";
    });
    const QByteArray before = fileText();
    UserSettings settings;
    app::DiskCalls full;
    full.write = [](int, const void*, std::size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    };
    app::useDiskCalls(full);
    const std::string output = testsupport::consoleOutputOf([&] { settings.setTheme(1); });
    auto changed = app::SettingsStore::open();
    changed->setValue(QStringLiteral("theme"), QStringLiteral("1"));   // not what the file holds
    const bool saved = changed->save();
    app::useDiskCalls({});
    EXPECT_FALSE(saved);
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
    EXPECT_NE(output.find("could not be written to " + path().toStdString() + " (write: No space left on device)"),
              std::string::npos)
        << output;
    EXPECT_EQ(fileText(), before);
    EXPECT_EQ(settings.theme(), 1);
    EXPECT_EQ(UserSettings().coordsLat(), 12.5);
}

// The window is told of the first failure of a run of failures of one cause,
// with the path and the reason; a failure of another cause, or the first after
// a save that succeeded, is told again. Each failure still has its console line.
TEST_F(SettingsStore, AFailedSaveIsAnnouncedOnceForARunOfOneCause) {
    UserSettings settings;
    std::vector<std::pair<QString, QString>> told;
    const auto connection =
        QObject::connect(&app::StoreNotifier::shared(), &app::StoreNotifier::saveFailed,
                         [&](const QString& at, const QString& reason) { told.emplace_back(at, reason); });
    const auto assignWith = [&](platform::WriteCall write, qint64 days) {
        app::useDiskCalls({write, ::fdatasync});
        const std::string output = testsupport::consoleOutputOf([&] { settings.setNotifyDaysBefore(days); });
        app::useDiskCalls({});
        return output;
    };
    EXPECT_NE(assignWith(testsupport::fullDiskWrite, 3), "");
    EXPECT_NE(assignWith(testsupport::fullDiskWrite, 4), "") << "every failure is said on the console";
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], std::make_pair(path(), QStringLiteral("write: No space left on device")));

    assignWith(testsupport::failingDiskWrite, 5);
    assignWith(testsupport::failingDiskWrite, 6);
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[1].second, QStringLiteral("write: Input/output error"));

    assignWith(::write, 7);
    assignWith(testsupport::failingDiskWrite, 1);
    ASSERT_EQ(told.size(), 3u) << "told again after a save that succeeded";
    EXPECT_EQ(told[2].second, QStringLiteral("write: Input/output error"));
    QObject::disconnect(connection);
}

// What the user chose while saves failed is in the file once one succeeds,
// with what was chosen after.
TEST_F(SettingsStore, TheFirstSaveThatSucceedsWritesWhatTheUserChose) {
    markedStore([](auto& s) { s["theme"] = "2"; });
    UserSettings settings;
    app::useDiskCalls({testsupport::fullDiskWrite, ::fdatasync});
    testsupport::consoleOutputOf([&] {
        settings.setTheme(1);
        settings.setCoordsLat(48.25);
    });
    app::useDiskCalls({});
    ASSERT_EQ(store().at("theme"), "2") << "the file was as it was";
    settings.setNotifyDaysBefore(4);
    UserSettings next;
    EXPECT_EQ(next.theme(), 1);
    EXPECT_EQ(next.coordsLat(), 48.25);
    EXPECT_EQ(next.notifyDaysBefore(), 4);
}

// A file found damaged by a save while the program runs is set aside; the
// preferences of the instance are kept, and saved to a new file that has the
// first-start marker, so the next start takes them without a word.
TEST_F(SettingsStore, AFileSetAsideByASaveGivesWayToOneWithThePreferencesInUse) {
    markedStore([](auto& s) { s["notifyDaysBefore"] = "6"; });
    UserSettings running;
    running.setCoordsLat(-33.87);
    writeFile("[General]\nhavePrefs=100\nnotifyDaysBefore=6\nnotifyEas");
    const std::string setAsideOutput = testsupport::consoleOutputOf([&] { running.setTheme(2); });
    ASSERT_EQ(setAside().size(), 1) << setAsideOutput;
    static_cast<void>(app::takeSetAsideStores());
    EXPECT_EQ(store()[QStringLiteral("havePrefs")], "100");

    std::optional<UserSettings> next;
    EXPECT_EQ(testsupport::consoleOutputOf([&] { next.emplace(); }), "");
    EXPECT_EQ(next->theme(), 2);
    EXPECT_EQ(next->coordsLat(), -33.87);
    EXPECT_EQ(next->notifyDaysBefore(), 6);
}

TEST_F(SettingsStore, ResetDefaultsEmptiesTheStore) {
    UserSettings().setTheme(2);
    app::resetDefaults();
    EXPECT_TRUE(store().empty());
    UserSettings fresh;
    EXPECT_EQ(fresh.theme(), 0);
    EXPECT_EQ(store().at("havePrefs"), "100");
}

TEST_F(SettingsStore, TheSharedInstanceIsOne) {
    EXPECT_EQ(&UserSettings::shared(), &UserSettings::shared());
}

} // namespace
