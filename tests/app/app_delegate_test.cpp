// The application delegate: it takes the notification centre's delegate role at
// launch and answers notifications in front with banner and sound.

#include "app/app_delegate.h"

#include "support/fake_notification_server.h"
#include "support/qt_test_application.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using platform::PresentationOption;

platform::Notification notificationWithIdentifier(std::string identifier) {
    platform::Notification n;
    n.request.identifier = std::move(identifier);
    n.request.content.title = "Imbolc";
    return n;
}

TEST(AppDelegate, TakesTheDelegateRoleAtLaunchAndGivesItBack) {
    platform::NotificationCenter center;
    {
        app::AppDelegate delegate(&center);
        EXPECT_EQ(center.delegate(), nullptr);
        EXPECT_TRUE(delegate.applicationWillFinishLaunching());
        EXPECT_EQ(center.delegate(), &delegate);
    }
    EXPECT_EQ(center.delegate(), nullptr);
}

TEST(AppDelegate, ServesTheProgramsOwnCentreByDefault) {
    app::AppDelegate delegate;
    delegate.applicationWillFinishLaunching();
    EXPECT_EQ(platform::NotificationCenter::current().delegate(), &delegate);
}

TEST(AppDelegate, NotesTheIdentifierAndAsksForBannerAndSound) {
    platform::NotificationCenter center;
    app::AppDelegate delegate(&center);
    int calls = 0;
    platform::PresentationOptions options;
    const std::string output = testsupport::consoleOutputOf([&] {
        delegate.willPresent(center, notificationWithIdentifier("A1"), [&](platform::PresentationOptions o) {
            ++calls;
            options = o;
        });
    });
    EXPECT_EQ(output, "Notification received with identifier A1\n");
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(options.rawValue(), 18u);
    EXPECT_TRUE(options.contains(PresentationOption::banner));
    EXPECT_TRUE(options.contains(PresentationOption::sound));
    EXPECT_FALSE(options.contains(PresentationOption::badge));
    EXPECT_FALSE(options.contains(PresentationOption::list));
}

TEST(AppDelegate, TwoNotificationsGiveTwoLinesAndTwoAnswers) {
    platform::NotificationCenter center;
    app::AppDelegate delegate(&center);
    int calls = 0;
    const std::string output = testsupport::consoleOutputOf([&] {
        delegate.willPresent(center, notificationWithIdentifier("Yule-2026"), [&](auto) { ++calls; });
        delegate.willPresent(center, notificationWithIdentifier("Ostara-2027"), [&](auto) { ++calls; });
    });
    EXPECT_EQ(output,
              "Notification received with identifier Yule-2026\nNotification received with identifier Ostara-2027\n");
    EXPECT_EQ(calls, 2);
}

TEST(AppDelegate, ANotificationInFrontReachesTheDesktopAsABannerWithSound) {
    QWidget window;   // the program in front: its window shown and holding the focus
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([] { return platform::programInFront(); }, 5000));
    testsupport::FakeNotificationServer server;
    ASSERT_TRUE(server.registered());
    platform::NotificationCenter center;
    app::AppDelegate delegate(&center);
    delegate.applicationWillFinishLaunching();

    platform::NotificationRequest request;
    request.identifier = "A1";
    request.content = {"Beltane", "In 2 days", "May Day", platform::NotificationSound::defaultSound()};
    testing::internal::CaptureStdout();
    center.add(request);
    const bool shown = QTest::qWaitFor([&] { return !server.shown.empty(); }, 10000);
    const std::string output = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(shown);
    EXPECT_EQ(output, "Notification received with identifier A1\n");
    EXPECT_EQ(server.shown.front().summary, QStringLiteral("Beltane"));
    EXPECT_EQ(server.shown.front().body, QStringLiteral("In 2 days\nMay Day"));
    EXPECT_TRUE(server.shown.front().hints.contains(QStringLiteral("sound-name")));
}

TEST(AppDelegate, SoundNamesAreTakenAsTheyAre) {
    EXPECT_EQ(app::convertToUNNotificationSoundName("bell").rawValue, "bell");
    EXPECT_EQ(app::convertToUNNotificationSoundName("").rawValue, "");
}

} // namespace
