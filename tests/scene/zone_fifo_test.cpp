// A FIFO where the time zone's file should be, named by TZ or found under
// TZDIR: the program still shows its window, as nothing opens the FIFO in a way
// that waits for a writer. The program itself is run.

#include "program_run.h"

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

} // namespace
