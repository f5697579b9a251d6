// Two copies of the program in a session without any bus: they meet at the
// lock file. Both copies are the program itself.

#include "support/qt_test_application.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

QString lockPath() {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QStringLiteral("/vadididod.lock");
}

std::unique_ptr<QProcess> start() {
    auto program = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    program->setProcessEnvironment(environment);
    program->setProcessChannelMode(QProcess::MergedChannels);
    program->start(QStringLiteral(VADIDIDOD_PROGRAM), {});
    program->waitForStarted(5000);
    return program;
}

// The lock file names the process that holds it once that process runs.
bool holdsTheLock(const QProcess& program) {
    return QTest::qWaitFor(
        [&] {
            QFile lock(lockPath());
            return lock.open(QIODevice::ReadOnly) && lock.readAll().trimmed().toLongLong() == program.processId();
        },
        10000);
}

void stop(QProcess& program) {
    program.kill();
    program.waitForFinished(5000);
}

TEST(TwoCopiesWithoutABus, TheSecondEndsAtOnceAndALostHolderBlocksNothing) {
    auto first = start();
    ASSERT_TRUE(holdsTheLock(*first)) << first->readAll().toStdString();

    auto second = start();
    ASSERT_TRUE(second->waitForFinished(15000)) << "the second copy keeps running";
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 1);
    const QString output = QString::fromLocal8Bit(second->readAll());
    EXPECT_TRUE(output.contains(QStringLiteral("Another copy is running (process ") +
                                QString::number(first->processId())))
        << output.toStdString();
    EXPECT_EQ(first->state(), QProcess::Running);

    // A copy killed outright leaves its lock file behind, but not its lock.
    stop(*first);
    auto third = start();
    EXPECT_TRUE(holdsTheLock(*third)) << third->readAll().toStdString();
    EXPECT_EQ(third->state(), QProcess::Running);
    stop(*third);
}

} // namespace
