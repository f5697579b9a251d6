// A FIFO where the time zone's file should be, named by TZ or found under
// TZDIR: the program still shows its window, as nothing opens the FIFO in a way
// that waits for a writer. The program itself is run.

#include "program_run.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

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

    // The window shown, the program ends by itself; a wait on the FIFO would
    // outlast the time given.
    static void expectTheWindowShown(std::vector<std::pair<QString, QString>> set) {
        set.emplace_back(QStringLiteral("VADIDIDOD_QUIT_AFTER_FIRST_SHOW"), QStringLiteral("1"));
        const auto run = runProgram(set, {}, 10000);
        EXPECT_EQ(run.status, QProcess::NormalExit) << "still waiting after ten seconds";
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    }

    QTemporaryDir folder;
};

TEST_F(ZoneFifo, NamedByTz) {
    expectTheWindowShown({{QStringLiteral("TZ"), QLatin1Char(':') + fifo()}});
}

TEST_F(ZoneFifo, FoundUnderTzdir) {
    expectTheWindowShown({{QStringLiteral("TZ"), QStringLiteral("Europe/London")},
                          {QStringLiteral("TZDIR"), folder.path()}});
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
