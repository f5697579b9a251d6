// Two copies of the program at once, on a session bus of the test's own: the
// test process is the running copy, with its scene, and the program itself is
// started beside it as the second copy.

#include "scene/application_scene.h"

#include "app/settings_store.h"
#include "platform/desktop/single_instance.h"
#include "support/qt_test_application.h"

#include <QFileInfo>
#include <QMainWindow>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The program's own meeting places, as the running copy claims them.
platform::SingleInstance::Names programsNames() {
    return {QStringLiteral("com.tarnwick.Vadididod"), QStringLiteral("/com/tarnwick/Vadididod"),
            QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QStringLiteral("/vadididod.lock")};
}

struct Finished {
    bool ended = false;
    int exitCode = -1;
    QString output;
};

// Runs the program beside this process; the event loop keeps serving the bus
// meanwhile.
Finished runSecondCopy(const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QStringLiteral(VADIDIDOD_PROGRAM), {});
    Finished finished;
    if (!program.waitForStarted(5000)) return finished;
    finished.ended = QTest::qWaitFor([&] { return program.state() == QProcess::NotRunning; }, 15000);
    if (!finished.ended) {
        program.kill();
        program.waitForFinished(5000);
        return finished;
    }
    finished.exitCode = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    finished.output = QString::fromLocal8Bit(program.readAll());
    return finished;
}

TEST(TwoCopies, ASecondStartBringsTheRunningWindowForwardAndEnds) {
    app::resetDefaults();
    platform::SingleInstance instance(programsNames());
    ASSERT_EQ(instance.claim(), platform::SingleInstance::Claim::first);
    scene::ApplicationScene scene;
    QObject::connect(&instance, &platform::SingleInstance::activationRequested, &scene,
                     &scene::ApplicationScene::raiseWindow);
    scene.launch();
    ASSERT_TRUE(QTest::qWaitFor([&] { return scene.window()->isVisible(); }, 5000));
    scene.window()->showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return scene.window()->isMinimized(); }, 5000));

    const QByteArray storeBefore = [] {
        QFile file(app::settingsStorePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    int asked = 0;
    QObject::connect(&instance, &platform::SingleInstance::activationRequested, [&] { ++asked; });

    const Finished second = runSecondCopy();
    ASSERT_TRUE(second.ended) << "the second copy keeps running";
    EXPECT_EQ(second.exitCode, 0) << second.output.toStdString();
    EXPECT_TRUE(second.output.contains(QStringLiteral("brought to the front"))) << second.output.toStdString();
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(scene.window()->isMinimized());
    EXPECT_TRUE(scene.window()->isVisible());

    QFile file(app::settingsStorePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), storeBefore) << "the second copy wrote nothing";

    // A start from a shell without the bus cannot ask, and still stays out.
    QProcessEnvironment withoutBus = QProcessEnvironment::systemEnvironment();
    withoutBus.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    const Finished offBus = runSecondCopy(withoutBus);
    ASSERT_TRUE(offBus.ended) << "the copy without a bus keeps running";
    EXPECT_EQ(offBus.exitCode, 1) << offBus.output.toStdString();
    EXPECT_TRUE(offBus.output.contains(QStringLiteral("Another copy is running (process ") +
                                       QString::number(QCoreApplication::applicationPid())))
        << offBus.output.toStdString();
    EXPECT_EQ(asked, 1);
}

} // namespace
