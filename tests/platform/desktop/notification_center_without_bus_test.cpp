// The notification centre in a session without any bus: leave is refused at
// once, never hanging.

#include "platform/desktop/notification_center.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(NotificationAuthorizationWithoutBus, IsNotGrantedAndSaysWhy) {
    platform::NotificationCenter center;
    bool called = false;
    bool granted = true;
    std::optional<platform::NotificationError> error;
    QThread* thread = nullptr;
    center.requestAuthorization({platform::AuthorizationOption::alert},
                                [&](bool g, std::optional<platform::NotificationError> e) {
                                    called = true;
                                    granted = g;
                                    error = std::move(e);
                                    thread = QThread::currentThread();
                                });
    EXPECT_FALSE(called);
    ASSERT_TRUE(QTest::qWaitFor([&] { return called; }, 5000));
    EXPECT_FALSE(granted);
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->localizedDescription.find("No desktop notification service"), std::string::npos);
    EXPECT_EQ(thread, QCoreApplication::instance()->thread());
}

TEST(NotificationAuthorizationWithoutBus, TheProgramsCentreLivesOnTheMainThread) {
    platform::NotificationCenter* fromThread = nullptr;
    std::thread([&] { fromThread = &platform::NotificationCenter::current(); }).join();
    EXPECT_EQ(fromThread, &platform::NotificationCenter::current());
    EXPECT_EQ(fromThread->thread(), QCoreApplication::instance()->thread());
}

} // namespace
