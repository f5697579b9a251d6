// The location data manager's steps at construction and its table of statuses,
// over a manager that stands in for the desktop's.

#include "app/location_data_manager.h"

#include "support/qt_test_application.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

using platform::AuthorizationStatus;

class ScriptedManager : public platform::LocationManager {
public:
    ScriptedManager() : platform::LocationManager(nullptr, std::chrono::milliseconds(1000)) {}

    std::vector<std::string> calls;
    AuthorizationStatus status = AuthorizationStatus::notDetermined;

    void setDelegate(platform::LocationManagerDelegate* d) override {
        calls.push_back(d ? "setDelegate" : "clearDelegate");
        delegate_ = d;
    }
    AuthorizationStatus authorizationStatus() const override { return status; }
    void startUpdatingLocation() override { calls.push_back("startUpdatingLocation"); }
    void requestWhenInUseAuthorization() override { calls.push_back("requestWhenInUseAuthorization"); }
    void requestLocation() override { calls.push_back("requestLocation"); }

    platform::LocationManagerDelegate* delegate_ = nullptr;
};

struct Scripted {
    ScriptedManager* manager = new ScriptedManager;
    app::LocationDataManager data{std::unique_ptr<platform::LocationManager>(manager)};

    // The manager reports `status`, and the calls made in answer are returned.
    std::vector<std::string> report(AuthorizationStatus status) {
        manager->calls.clear();
        manager->status = status;
        data.locationManagerDidChangeAuthorization(*manager);
        return manager->calls;
    }
};

TEST(LocationDataManager, ANewOneIsTheDelegateUpdatesAndAsksForLeaveInThatOrder) {
    Scripted s;
    EXPECT_FALSE(s.data.authorizationStatus().has_value());
    EXPECT_EQ(s.manager->delegate_, &s.data);
    EXPECT_EQ(&s.data.locationManager(), s.manager);
    EXPECT_EQ(s.manager->calls,
              (std::vector<std::string>{"setDelegate", "startUpdatingLocation", "requestWhenInUseAuthorization"}));
}

TEST(LocationDataManager, NotDeterminedIsStoredAndLeaveAskedForAgain) {
    Scripted s;
    EXPECT_EQ(s.report(AuthorizationStatus::notDetermined), std::vector<std::string>{"requestWhenInUseAuthorization"});
    EXPECT_EQ(s.data.authorizationStatus(), AuthorizationStatus::notDetermined);
}

TEST(LocationDataManager, RestrictedAndDeniedAreStoredWithNothingFurther) {
    Scripted s;
    EXPECT_TRUE(s.report(AuthorizationStatus::restricted).empty());
    EXPECT_EQ(s.data.authorizationStatus(), AuthorizationStatus::restricted);
    EXPECT_TRUE(s.report(AuthorizationStatus::denied).empty());
    EXPECT_EQ(s.data.authorizationStatus(), AuthorizationStatus::denied);
}

TEST(LocationDataManager, AlwaysLeavesTheStatusAsItWas) {
    Scripted s;
    EXPECT_TRUE(s.report(AuthorizationStatus::authorizedAlways).empty());
    EXPECT_FALSE(s.data.authorizationStatus().has_value());
    s.report(AuthorizationStatus::denied);
    s.report(AuthorizationStatus::authorizedAlways);
    EXPECT_EQ(s.data.authorizationStatus(), AuthorizationStatus::denied);
}

TEST(LocationDataManager, WhenInUseIsStoredAndOneLocationAskedFor) {
    Scripted s;
    int announced = 0;
    std::optional<AuthorizationStatus> seen;
    QObject::connect(&s.data, &app::LocationDataManager::authorizationStatusChanged, [&] {
        ++announced;
        seen = s.data.authorizationStatus();
    });
    EXPECT_EQ(s.report(AuthorizationStatus::authorizedWhenInUse), std::vector<std::string>{"requestLocation"});
    EXPECT_EQ(s.data.authorizationStatus(), AuthorizationStatus::authorizedWhenInUse);
    EXPECT_EQ(announced, 1);
    EXPECT_EQ(seen, AuthorizationStatus::authorizedWhenInUse);
}

TEST(LocationDataManager, AnyOtherValueChangesNothing) {
    Scripted s;
    s.report(AuthorizationStatus::denied);
    EXPECT_TRUE(s.report(static_cast<AuthorizationStatus>(7)).empty());
    EXPECT_EQ(s.data.authorizationStatus(), AuthorizationStatus::denied);
}

TEST(LocationDataManager, FixesChangeNothingAndAFailureIsOneConsoleLine) {
    Scripted s;
    s.manager->calls.clear();
    s.data.locationManagerDidUpdateLocations(*s.manager, {platform::Location{}, platform::Location{}});
    EXPECT_FALSE(s.data.authorizationStatus().has_value());
    EXPECT_TRUE(s.manager->calls.empty());
    const std::string output = testsupport::consoleOutputOf([&] {
        s.data.locationManagerDidFailWithError(
            *s.manager, platform::LocationError{platform::LocationErrorCode::denied, "Access was refused."});
    });
    EXPECT_EQ(output, "error: Access was refused.\n");
}

TEST(LocationDataManager, OnAMachineWithoutLocationServiceTheStatusBecomesDenied) {
    app::LocationDataManager data(std::make_unique<platform::LocationManager>(nullptr, std::chrono::milliseconds(1000)));
    testing::internal::CaptureStdout();
    const bool answered = QTest::qWaitFor([&] { return data.authorizationStatus().has_value(); }, 5000);
    QTest::qWait(50);
    const std::string output = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(answered);
    EXPECT_EQ(data.authorizationStatus(), AuthorizationStatus::denied);
    EXPECT_EQ(output.rfind("error: ", 0), 0u) << "updates were started on a machine that has none";
}

} // namespace
