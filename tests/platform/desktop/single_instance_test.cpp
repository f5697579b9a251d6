// One running copy per user, within one test process: the lock file alone, a
// bus name held by an owner that never answers, and the lock after its holder
// is gone. The hand-over between two real processes is tested with the program
// itself (tests/app/single_instance_test.cpp).

#include "platform/desktop/single_instance.h"

#include "support/qt_test_application.h"

#include <QDBusConnectionInterface>
#include <QFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

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

// Something other than a file at the lock path is no place to meet: the copy
// runs, says why in one line, and never waits on it.
TEST(SingleInstance, AFifoAtTheLockPathIsNoLockAndDoesNotHang) {
    const auto ours = names(QStringLiteral("Fifo"));
    const QByteArray path = QFile::encodeName(ours.lockPath);
    ::unlink(path.constData());
    ASSERT_EQ(::mkfifo(path.constData(), 0600), 0);
    SingleInstance copy(ours, noBus());
    Claim claimed = Claim::refused;
    const std::string output = testsupport::consoleOutputOf([&] { claimed = copy.claim(); });
    EXPECT_EQ(claimed, Claim::first);
    EXPECT_NE(output.find("is not a regular file; other copies cannot be kept out."), std::string::npos) << output;
    ::unlink(path.constData());
}

TEST(SingleInstance, ALinkAtTheLockPathIsNotFollowed) {
    const auto ours = names(QStringLiteral("Link"));
    const QByteArray path = QFile::encodeName(ours.lockPath);
    const QByteArray target = path + ".target";
    ::unlink(path.constData());
    {
        QFile file(QFile::decodeName(target));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("kept\n");
    }
    ASSERT_EQ(::symlink(target.constData(), path.constData()), 0);
    SingleInstance copy(ours, noBus());
    Claim claimed = Claim::refused;
    const std::string output = testsupport::consoleOutputOf([&] { claimed = copy.claim(); });
    EXPECT_EQ(claimed, Claim::first);
    EXPECT_NE(output.find("cannot be opened; other copies cannot be kept out."), std::string::npos) << output;
    QFile file(QFile::decodeName(target));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("kept\n")) << "the file the link names is left alone";
    ::unlink(path.constData());
    ::unlink(target.constData());
}

// Anyone may write into the lock file; what is shown of it is a process
// number or "?", never terminal controls or a flood of text.
TEST(SingleInstance, TheHoldersFileIsShownOnlyAsAProcessNumber) {
    const auto ours = names(QStringLiteral("Hostile"));
    SingleInstance holder(ours, noBus());
    ASSERT_EQ(holder.claim(), Claim::first);
    const QByteArray path = QFile::encodeName(ours.lockPath);
    auto rewrite = [&](const std::string& contents) {
        const int fd = ::open(path.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, contents.data(), contents.size()), static_cast<ssize_t>(contents.size()));
        ::close(fd);
    };
    auto shown = [&] {
        SingleInstance later(ours, noBus());
        Claim claimed = Claim::first;
        const std::string output = testsupport::consoleOutputOf([&] { claimed = later.claim(); });
        EXPECT_EQ(claimed, Claim::refused);
        return output;
    };
    rewrite(" 4242\n");
    EXPECT_NE(shown().find("(process 4242)"), std::string::npos);
    for (const std::string& hostile : {std::string("\x1b]0;owned\x07\x1b[2J12"), std::string("12\r\x1b[1A"),
                                       std::string("-5"), std::string("99999999999999999999999"),
                                       std::string(1 << 20, '7')}) {
        rewrite(hostile);
        const std::string output = shown();
        EXPECT_NE(output.find("(process ?)"), std::string::npos) << output.substr(0, 200);
        EXPECT_LT(output.size(), 200u);
        for (const char c : output) {
            EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7f)) << static_cast<int>(c);
        }
    }
}

} // namespace
