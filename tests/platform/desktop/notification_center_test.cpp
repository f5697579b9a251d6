// The notification centre against a real session bus (the test runs under
// dbus-run-session) and a notification service of the test's own.

#include "platform/desktop/notification_center.h"

#include "platform/core/calendar.h"
#include "support/fake_notification_server.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace {

using namespace std::chrono_literals;
using platform::AuthorizationOption;
using platform::NotificationCenter;
using platform::NotificationRequest;
using platform::PresentationOption;
using platform::PresentationOptions;
using testsupport::FakeNotificationServer;

struct Answer {
    bool called = false;
    bool granted = false;
    std::optional<platform::NotificationError> error;
    QThread* thread = nullptr;
};

NotificationCenter::AuthorizationHandler recordInto(Answer& answer) {
    return [&answer](bool granted, std::optional<platform::NotificationError> error) {
        answer.called = true;
        answer.granted = granted;
        answer.error = std::move(error);
        answer.thread = QThread::currentThread();
    };
}

// Answers every notification with fixed options, from the thread it is asked on
// or from another one, once or twice.
class AnsweringDelegate : public platform::NotificationCenterDelegate {
public:
    PresentationOptions options{PresentationOption::banner, PresentationOption::sound};
    bool fromAnotherThread = false;
    bool answerTwice = false;
    std::vector<std::string> asked;

    void willPresent(NotificationCenter&, const platform::Notification& notification,
                     std::function<void(PresentationOptions)> completionHandler) override {
        asked.push_back(notification.request.identifier);
        auto answer = [this, completionHandler] {
            completionHandler(options);
            if (answerTwice) completionHandler(options);
        };
        if (fromAnotherThread) {
            std::thread(answer).join();
        } else {
            answer();
        }
    }
};

NotificationRequest immediateRequest(std::string identifier, std::string title = "Yule",
                                     std::string subtitle = "In 2 days", std::string body = "The winter solstice") {
    NotificationRequest request;
    request.identifier = std::move(identifier);
    request.content.title = std::move(title);
    request.content.subtitle = std::move(subtitle);
    request.content.body = std::move(body);
    request.content.sound = platform::NotificationSound::defaultSound();
    return request;
}

NotificationRequest calendarRequest(std::string identifier, platform::Date when) {
    using platform::CalendarComponent;
    NotificationRequest request = immediateRequest(std::move(identifier));
    request.trigger = platform::CalendarNotificationTrigger{
        platform::Calendar::current().components({CalendarComponent::year, CalendarComponent::month,
                                                  CalendarComponent::day, CalendarComponent::hour,
                                                  CalendarComponent::minute, CalendarComponent::second},
                                                 when),
        false};
    return request;
}

// A window of the program's, shown and holding the focus: the program is in front.
class FiringNotifications : public testing::Test {
protected:
    void SetUp() override {
        window.resize(200, 100);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([this] { return platform::programInFront(); }, 5000));
    }
    QWidget window;
};

std::vector<NotificationRequest> pendingOf(NotificationCenter& center) {
    std::vector<NotificationRequest> result;
    bool done = false;
    center.getPendingNotificationRequests([&](std::vector<NotificationRequest> requests) {
        result = std::move(requests);
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 5000));
    return result;
}

TEST(NotificationAuthorization, IsGrantedWhenTheDesktopServiceAnswers) {
    FakeNotificationServer server;
    ASSERT_TRUE(server.registered());
    NotificationCenter center;
    Answer answer;
    center.requestAuthorization({AuthorizationOption::alert, AuthorizationOption::sound}, recordInto(answer));
    EXPECT_FALSE(answer.called) << "the answer comes from the event loop, not from inside the request";
    ASSERT_TRUE(QTest::qWaitFor([&] { return answer.called; }, 10000));
    EXPECT_TRUE(answer.granted);
    EXPECT_FALSE(answer.error.has_value());
    EXPECT_EQ(answer.thread, QCoreApplication::instance()->thread());
    EXPECT_EQ(server.informationRequests, 1);
}

TEST(NotificationAuthorization, IsNotGrantedWhenNoServiceIsOnTheBus) {
    NotificationCenter center;
    Answer answer;
    center.requestAuthorization({AuthorizationOption::alert}, recordInto(answer));
    ASSERT_TRUE(QTest::qWaitFor([&] { return answer.called; }, 10000));
    EXPECT_FALSE(answer.granted);
    ASSERT_TRUE(answer.error.has_value());
    EXPECT_FALSE(answer.error->localizedDescription.empty());
}

TEST(NotificationAuthorization, IsNotGrantedWhenTheServiceNeverAnswers) {
    FakeNotificationServer silent(false);
    ASSERT_TRUE(silent.registered());
    NotificationCenter center(platform::DesktopNotificationService(std::nullopt, 300ms));
    Answer answer;
    center.requestAuthorization({AuthorizationOption::alert}, recordInto(answer));
    ASSERT_TRUE(QTest::qWaitFor([&] { return answer.called; }, 10000));
    EXPECT_FALSE(answer.granted);
    EXPECT_TRUE(answer.error.has_value());
}

TEST(NotificationAuthorization, AnswersOnTheMainThreadWhenAskedFromAnother) {
    FakeNotificationServer server;
    NotificationCenter center;
    Answer answer;
    std::thread([&] { center.requestAuthorization({AuthorizationOption::alert}, recordInto(answer)); }).join();
    ASSERT_TRUE(QTest::qWaitFor([&] { return answer.called; }, 10000));
    EXPECT_TRUE(answer.granted);
    EXPECT_EQ(answer.thread, QCoreApplication::instance()->thread());
}

TEST(PendingNotifications, AreAddedReplacedByIdentifierListedAndRemoved) {
    NotificationCenter center;
    const platform::Date later = platform::Date::now().addingTimeInterval(3600 * 24 * 30);
    std::optional<platform::NotificationError> addError{platform::NotificationError{"not called"}};
    center.add(calendarRequest("Yule-2026", later), [&](auto error) { addError = error; });
    center.add(calendarRequest("Imbolc-2027", later));
    auto replacement = calendarRequest("Yule-2026", later);
    replacement.content.title = "Yule again";
    center.add(replacement);

    const auto pending = pendingOf(center);
    EXPECT_FALSE(addError.has_value());
    ASSERT_EQ(pending.size(), 2u);
    EXPECT_EQ(pending[0].identifier, "Imbolc-2027");
    EXPECT_EQ(pending[1].identifier, "Yule-2026");
    EXPECT_EQ(pending[1].content.title, "Yule again");

    center.removeAllPendingNotificationRequests();
    EXPECT_TRUE(pendingOf(center).empty());
}

TEST(PendingNotifications, ARequestWithoutIdentifierIsRefused) {
    NotificationCenter center;
    std::optional<platform::NotificationError> error;
    bool done = false;
    center.add(immediateRequest(""), [&](auto e) {
        error = e;
        done = true;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, 5000));
    EXPECT_TRUE(error.has_value());
    EXPECT_TRUE(pendingOf(center).empty());
}

TEST(PendingNotifications, ARequestWhoseDateHasPassedNeverFires) {
    FakeNotificationServer server;
    NotificationCenter center;
    AnsweringDelegate delegate;
    center.setDelegate(&delegate);
    center.add(calendarRequest("past", platform::Date::now().addingTimeInterval(-3600 * 24 * 400)));
    QTest::qWait(300);
    EXPECT_TRUE(delegate.asked.empty());
    EXPECT_EQ(pendingOf(center).size(), 1u);
}

TEST_F(FiringNotifications, ACalendarRequestFiresAsksTheDelegateAndIsShownWithSound) {
    FakeNotificationServer server;
    ASSERT_TRUE(server.registered());
    NotificationCenter center;
    AnsweringDelegate delegate;
    center.setDelegate(&delegate);

    center.add(calendarRequest("Yule-soon", platform::Date::now().addingTimeInterval(2)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.shown.empty(); }, 15000));
    ASSERT_EQ(delegate.asked, std::vector<std::string>{"Yule-soon"});
    ASSERT_EQ(server.shown.size(), 1u);
    const auto& shown = server.shown.front();
    EXPECT_EQ(shown.summary, QStringLiteral("Yule"));
    EXPECT_EQ(shown.body, QStringLiteral("In 2 days\nThe winter solstice"));
    EXPECT_EQ(shown.hints.value(QStringLiteral("sound-name")).toString(), QStringLiteral("message-new-instant"));
    EXPECT_FALSE(shown.hints.contains(QStringLiteral("suppress-sound")));
    EXPECT_TRUE(pendingOf(center).empty()) << "a request that does not repeat is gone once it has fired";
}

TEST_F(FiringNotifications, AnswersFromAnotherThreadOrGivenTwiceShowItOnce) {
    FakeNotificationServer server;
    NotificationCenter center;
    AnsweringDelegate delegate;
    delegate.fromAnotherThread = true;
    delegate.answerTwice = true;
    center.setDelegate(&delegate);
    center.add(immediateRequest("A1"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.shown.empty(); }, 10000));
    QTest::qWait(300);
    EXPECT_EQ(server.shown.size(), 1u);
}

TEST_F(FiringNotifications, WithoutBannerOrWithoutDelegateNothingIsShown) {
    FakeNotificationServer server;
    NotificationCenter center;
    AnsweringDelegate delegate;
    delegate.options = PresentationOptions{PresentationOption::sound, PresentationOption::badge};
    center.setDelegate(&delegate);
    center.add(immediateRequest("quiet"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !delegate.asked.empty(); }, 10000));

    center.setDelegate(nullptr);
    center.add(immediateRequest("nobody-asked"));
    QTest::qWait(500);
    EXPECT_TRUE(server.shown.empty());
    EXPECT_EQ(delegate.asked.size(), 1u);
}

TEST_F(FiringNotifications, WithoutSoundTheServiceIsAskedForSilence) {
    FakeNotificationServer server;
    NotificationCenter center;
    AnsweringDelegate delegate;
    delegate.options = PresentationOptions{PresentationOption::banner};
    center.setDelegate(&delegate);
    center.add(immediateRequest("silent"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.shown.empty(); }, 10000));
    EXPECT_TRUE(server.shown.front().hints.value(QStringLiteral("suppress-sound")).toBool());
    EXPECT_FALSE(server.shown.front().hints.contains(QStringLiteral("sound-name")));
}

TEST_F(FiringNotifications, TextIsEscapedForServicesThatReadMarkup) {
    FakeNotificationServer server;
    NotificationCenter center;
    AnsweringDelegate delegate;
    center.setDelegate(&delegate);
    center.add(immediateRequest("markup", "Title", "<b>In 1 day</b>", "Fish & chips"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.shown.empty(); }, 10000));
    EXPECT_EQ(server.shown.front().body, QStringLiteral("&lt;b&gt;In 1 day&lt;/b&gt;\nFish &amp; chips"));
}

TEST_F(FiringNotifications, AFailedShowingIsReportedOnTheConsole) {
    NotificationCenter center(platform::DesktopNotificationService(std::nullopt, 300ms));
    AnsweringDelegate delegate;
    center.setDelegate(&delegate);
    testing::internal::CaptureStdout();
    center.add(immediateRequest("unseen"));
    const bool asked = QTest::qWaitFor([&] { return !delegate.asked.empty(); }, 10000);
    QTest::qWait(1000);
    const std::string output = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(asked);
    EXPECT_EQ(output.rfind("Notification Error: ", 0), 0u) << output;
}

// Not in front, the delegate is not asked: the desktop shows the notification as
// it shows any, as a banner with its sound.
TEST_F(FiringNotifications, WithTheWindowMinimisedTheDelegateIsNotAsked) {
    FakeNotificationServer server;
    NotificationCenter center;
    AnsweringDelegate delegate;
    delegate.options = PresentationOptions{PresentationOption::badge};   // would show nothing
    center.setDelegate(&delegate);
    window.showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([] { return !platform::programInFront(); }, 5000));

    center.add(immediateRequest("while-minimised"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.shown.empty(); }, 10000));
    EXPECT_TRUE(delegate.asked.empty());
    EXPECT_EQ(server.shown.front().summary, QStringLiteral("Yule"));
    EXPECT_EQ(server.shown.front().hints.value(QStringLiteral("sound-name")).toString(),
              QStringLiteral("message-new-instant"));
}

TEST_F(FiringNotifications, WithNoWindowOfTheProgramActiveTheDelegateIsNotAsked) {
    FakeNotificationServer server;
    NotificationCenter center;
    AnsweringDelegate delegate;
    delegate.options = PresentationOptions{PresentationOption::badge};
    center.setDelegate(&delegate);
    window.close();   // the focus is elsewhere: no window of ours holds it
    ASSERT_TRUE(QTest::qWaitFor([] { return !platform::programInFront(); }, 5000));

    center.add(immediateRequest("while-inactive"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.shown.empty(); }, 10000));
    EXPECT_TRUE(delegate.asked.empty());

    // Back in front, the delegate decides again: badge only shows nothing.
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([] { return platform::programInFront(); }, 5000));
    center.add(immediateRequest("in-front"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !delegate.asked.empty(); }, 10000));
    QTest::qWait(300);
    EXPECT_EQ(server.shown.size(), 1u);
}

TEST(ProgramInFront, AProcessWithoutWindowsIsNever) {
    EXPECT_FALSE(platform::programInFront());
}

} // namespace
