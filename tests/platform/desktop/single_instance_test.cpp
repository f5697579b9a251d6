// One running copy per user, within one test process: the lock file alone, a
// bus name held by an owner that never answers, and the lock after its holder
// is gone. The hand-over between two real processes is tested with the program
// itself (tests/app/single_instance_test.cpp).

#include "platform/desktop/single_instance.h"

#include "support/qt_test_application.h"

#include <QDBusConnectionInterface>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <memory>

namespace {

using platform::SingleInstance;
using Claim = SingleInstance::Claim;

SingleInstance::Names names(const QString& tag) {
    return {QStringLiteral("org.vadididod.Test.") + tag, QStringLiteral("/org/vadididod/Test"),
            QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QStringLiteral("/") + tag +
                QStringLiteral(".lock")};
}

// A bus that is not there: only the lock file is left.
QDBusConnection noBus() { return QDBusConnection(QStringLiteral("no such bus")); }

TEST(SingleInstance, WithoutABusTheLockFileKeepsASecondCopyOut) {
    auto first = std::make_unique<SingleInstance>(names(QStringLiteral("LockOnly")), noBus());
    EXPECT_EQ(first->claim(), Claim::first);

    SingleInstance second(names(QStringLiteral("LockOnly")), noBus());
    Claim claimed = Claim::first;
    const std::string output = testsupport::consoleOutputOf([&] { claimed = second.claim(); });
    EXPECT_EQ(claimed, Claim::refused);
    EXPECT_NE(output.find("Another copy is running (process " + std::to_string(::getpid()) + ")"), std::string::npos)
        << output;

    first.reset();   // the lock goes with its holder
    SingleInstance third(names(QStringLiteral("LockOnly")), noBus());
    EXPECT_EQ(third.claim(), Claim::first);
}

TEST(SingleInstance, TheFirstCopyOwnsItsNameOnTheBus) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    ASSERT_TRUE(bus.isConnected()) << "the test runs under a session bus of its own";
    const auto ours = names(QStringLiteral("Owner"));
    {
        SingleInstance first(ours);
        EXPECT_EQ(first.claim(), Claim::first);
        EXPECT_TRUE(bus.interface()->isServiceRegistered(ours.busName).value());
    }
    EXPECT_FALSE(bus.interface()->isServiceRegistered(ours.busName).value()) << "given back at the end";
}

// The name is held by a connection that offers no Activate: the later start
// says so and steps aside rather than run beside it.
TEST(SingleInstance, ACopyThatDoesNotAnswerIsNotRunBeside) {
    const auto ours = names(QStringLiteral("Silent"));
    QDBusConnection silent = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("silent"));
    ASSERT_TRUE(silent.registerService(ours.busName));

    SingleInstance later(ours, QDBusConnection::sessionBus(), std::chrono::milliseconds(2000));
    Claim claimed = Claim::first;
    const std::string output = testsupport::consoleOutputOf([&] { claimed = later.claim(); });
    EXPECT_EQ(claimed, Claim::refused);
    EXPECT_NE(output.find("does not answer"), std::string::npos) << output;
    QDBusConnection::disconnectFromBus(QStringLiteral("silent"));
}

// Whoever holds the name also holds the lock: a copy without a bus finds it.
TEST(SingleInstance, ACopyOnTheBusAlsoKeepsOutACopyWithoutOne) {
    const auto ours = names(QStringLiteral("Both"));
    SingleInstance onBus(ours);
    ASSERT_EQ(onBus.claim(), Claim::first);
    SingleInstance offBus(ours, noBus());
    testsupport::consoleOutputOf([&] { EXPECT_EQ(offBus.claim(), Claim::refused); });
}

TEST(SingleInstance, ACopyTheLockKeptOutGivesBackItsBusName) {
    const auto ours = names(QStringLiteral("GivesBack"));
    SingleInstance lockHolder(ours, noBus());
    ASSERT_EQ(lockHolder.claim(), Claim::first);
    SingleInstance onBus(ours);
    testsupport::consoleOutputOf([&] { EXPECT_EQ(onBus.claim(), Claim::refused); });
    EXPECT_FALSE(QDBusConnection::sessionBus().interface()->isServiceRegistered(ours.busName).value());
}

} // namespace
