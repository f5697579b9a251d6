// The program asked to end by a signal ends as quitting ends it, with every
// destructor run, rather than on the spot: its own private folder of ephemeris
// data went only that way. The program itself is run, without a session bus,
// so that its lock file tells when it runs.

#include "support/qt_test_application.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <signal.h>

namespace {

bool holdsTheLock(const QProcess& program) {
    const QString lock =
        QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QStringLiteral("/vadididod.lock");
    return QTest::qWaitFor(
        [&] {
            QFile file(lock);
            return file.open(QIODevice::ReadOnly) && file.readAll().trimmed().toLongLong() == program.processId();
        },
        10000);
}

TEST(EndingSignals, EndTheProgramAsQuittingDoes) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(QStringLiteral(VADIDIDOD_PROGRAM), {});
        ASSERT_TRUE(holdsTheLock(program)) << program.readAll().toStdString();
        ASSERT_EQ(::kill(static_cast<pid_t>(program.processId()), signal), 0);
        ASSERT_TRUE(program.waitForFinished(15000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
    }
}

} // namespace
