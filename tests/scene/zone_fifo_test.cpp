// A FIFO where the time zone's file should be, named by TZ or found under
// TZDIR: the program still shows its window and opens and closes both sheets,
// as nothing opens the FIFO in a way that waits for a writer (Qt asks the C
// library for local time, which reads TZ). The program itself is run, in an X
// session: offscreen, Qt loads no icon theme and asks for local time far less.

#include "program_run.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

namespace {

using testsupport::runProgram;

class ZoneFifo : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        ASSERT_EQ(::mkdir(QFile::encodeName(folder.filePath(QStringLiteral("Europe"))).constData(), 0700), 0);
        ASSERT_EQ(::mkfifo(QFile::encodeName(fifo()).constData(), 0600), 0);
    }
    QString fifo() const { return folder.filePath(QStringLiteral("Europe/London")); }

    // The window shown and both sheets opened and closed, the program ends by
    // itself; a wait on the FIFO would outlast the time given. What it said on
    // the console.
    static std::string expectTheWindowShown(std::vector<std::pair<QString, QString>> set) {
        set.emplace_back(QStringLiteral("VADIDIDOD_QUIT_AFTER_FIRST_SHOW"), QStringLiteral("sheets"));
        const auto run = runProgram(set, {}, 10000);
        EXPECT_EQ(run.status, QProcess::NormalExit) << "still waiting after ten seconds";
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.out.toStdString();
    }

    QTemporaryDir folder;
};

TEST_F(ZoneFifo, NamedByTz) {
    const std::pair<QString, QString> tz{QStringLiteral("TZ"), QLatin1Char(':') + fifo()};
    const std::string line = "Vadididod: TZ or TZDIR names no regular zone file; TZ is now \":\" (UTC).\n";
    EXPECT_EQ(expectTheWindowShown({tz}), line);
    // With no icon theme to load, the window shows without asking for local
    // time; the calendar sheet still asks.
    const std::pair<QString, QString> noIcons{QStringLiteral("XDG_DATA_DIRS"), folder.filePath(QStringLiteral("none"))};
    EXPECT_EQ(expectTheWindowShown({tz, noIcons}), line);
}

TEST_F(ZoneFifo, FoundUnderTzdir) {
    EXPECT_EQ(expectTheWindowShown({{QStringLiteral("TZ"), QStringLiteral("Europe/London")},
                                    {QStringLiteral("TZDIR"), folder.path()}}),
              "Vadididod: TZ or TZDIR names no regular zone file; TZDIR is unset.\n");
}

// A sound TZ is left as it was, and nothing is said.
TEST_F(ZoneFifo, SoundTzStays) {
    for (const char* value : {"Europe/London", ":/usr/share/zoneinfo/Asia/Tokyo", "EST5EDT,M3.2.0,M11.1.0"}) {
        EXPECT_EQ(expectTheWindowShown({{QStringLiteral("TZ"), QString::fromLatin1(value)}}), "") << value;
    }
}

// Stored preferences that are read in local time, or a damaged store moved
// aside under a name that carries the time, ask for the zone too.
TEST_F(ZoneFifo, WhileReadingTheStoredPreferences) {
    const QString store = folder.filePath(QStringLiteral("config/Tarnwick/Vadididod.conf"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(store).path()));
    const std::pair<QString, QString> config{QStringLiteral("XDG_CONFIG_HOME"), folder.filePath(QStringLiteral("config"))};
    const std::pair<QString, QString> tz{QStringLiteral("TZ"), QLatin1Char(':') + fifo()};
    // 21 September 2026 14:13:20.250 in local time, as Qt once wrote it; then a
    // store with a NUL byte, which is damaged.
    const QByteArray legacy("[General]\nnotifyTimeOfDay=@DateTime(\\0\\0\\0\\x10\\0\\0\\0\\0\\0\\0%\\x8ey"
                            "\\x3\\r@\\xfa\\0)\n");
    for (const QByteArray& text : {legacy, QByteArray("[General]\n\0", 11)}) {
        QFile file(store);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(text), text.size());
        file.close();
        SCOPED_TRACE(text.toStdString());
        expectTheWindowShown({tz, config});
    }
}

} // namespace
