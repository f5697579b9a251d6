// The location manager over a position source the test drives: leave is read
// from what the source does, and every answer comes from the event loop.

#include "platform/desktop/location_manager.h"

#include <QGeoPositionInfoSource>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace std::chrono_literals;
using platform::AuthorizationStatus;
using platform::LocationErrorCode;
using platform::LocationManager;

class DrivenSource : public QGeoPositionInfoSource {
public:
    DrivenSource() : QGeoPositionInfoSource(nullptr) {}

    int singleRequests = 0;
    int starts = 0;
    QGeoPositionInfoSource::Error lastError = NoError;

    void setUpdateInterval(int msec) override { QGeoPositionInfoSource::setUpdateInterval(msec); }
    QGeoPositionInfo lastKnownPosition(bool = false) const override { return {}; }
    PositioningMethods supportedPositioningMethods() const override { return AllPositioningMethods; }
    int minimumUpdateInterval() const override { return 0; }
    Error error() const override { return lastError; }
    void startUpdates() override { ++starts; }
    void stopUpdates() override {}
    void requestUpdate(int) override { ++singleRequests; }

    void deliver(double latitude, double longitude) {
        emit positionUpdated(QGeoPositionInfo(QGeoCoordinate(latitude, longitude), QDateTime::currentDateTimeUtc()));
    }
    void failWith(Error e) {
        lastError = e;
        emit errorOccurred(e);
    }
};

struct Recorder : platform::LocationManagerDelegate {
    std::vector<AuthorizationStatus> statuses;
    std::vector<platform::Location> fixes;
    std::vector<platform::LocationError> failures;
    void locationManagerDidChangeAuthorization(LocationManager& manager) override {
        statuses.push_back(manager.authorizationStatus());
    }
    void locationManagerDidUpdateLocations(LocationManager&, const std::vector<platform::Location>& l) override {
        fixes.insert(fixes.end(), l.begin(), l.end());
    }
    void locationManagerDidFailWithError(LocationManager&, const platform::LocationError& e) override {
        failures.push_back(e);
    }
};

struct Driven {
    DrivenSource* source = new DrivenSource;
    LocationManager manager{std::unique_ptr<QGeoPositionInfoSource>(source), 5s};
    Recorder delegate;
};

TEST(LocationLeave, TheCurrentStatusIsReportedFromTheEventLoopOnceADelegateIsSet) {
    Driven d;
    d.manager.setDelegate(&d.delegate);
    EXPECT_TRUE(d.delegate.statuses.empty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !d.delegate.statuses.empty(); }, 2000));
    EXPECT_EQ(d.delegate.statuses, std::vector{AuthorizationStatus::notDetermined});
}

TEST(LocationLeave, AFixMeansWhenInUseGrantedAndIsDeliveredToAnUpdatingManager) {
    Driven d;
    d.manager.setDelegate(&d.delegate);
    d.manager.startUpdatingLocation();
    d.manager.requestWhenInUseAuthorization();
    d.manager.requestWhenInUseAuthorization();   // one question at a time
    EXPECT_EQ(d.source->starts, 1);
    EXPECT_EQ(d.source->singleRequests, 1);

    d.source->deliver(51.5, -0.12);
    EXPECT_TRUE(d.delegate.fixes.empty()) << "nothing is answered from inside the source's signal";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !d.delegate.fixes.empty(); }, 2000));
    EXPECT_EQ(d.manager.authorizationStatus(), AuthorizationStatus::authorizedWhenInUse);
    EXPECT_EQ(d.delegate.statuses.back(), AuthorizationStatus::authorizedWhenInUse);
    ASSERT_TRUE(d.manager.location().has_value());
    EXPECT_DOUBLE_EQ(d.manager.location()->coordinate.latitude, 51.5);
    EXPECT_DOUBLE_EQ(d.manager.location()->coordinate.longitude, -0.12);
}

TEST(LocationLeave, AnAccessErrorMeansDenied) {
    Driven d;
    d.manager.setDelegate(&d.delegate);
    d.manager.requestWhenInUseAuthorization();
    d.source->failWith(QGeoPositionInfoSource::AccessError);
    ASSERT_TRUE(QTest::qWaitFor([&] { return d.manager.authorizationStatus() == AuthorizationStatus::denied; }, 2000));
    QTest::qWait(50);
    EXPECT_EQ(d.delegate.statuses.back(), AuthorizationStatus::denied);
    EXPECT_TRUE(d.delegate.failures.empty()) << "nobody had asked for a location";
}

TEST(LocationLeave, AServiceThatNeverAnswersTheQuestionMeansDenied) {
    Driven d;
    d.manager.setDelegate(&d.delegate);
    d.manager.requestWhenInUseAuthorization();
    d.source->failWith(QGeoPositionInfoSource::UpdateTimeoutError);
    ASSERT_TRUE(QTest::qWaitFor([&] { return d.manager.authorizationStatus() == AuthorizationStatus::denied; }, 2000));
}

TEST(LocationLeave, AFixAfterADenialGrantsLeaveAfterAll) {
    Driven d;
    d.manager.setDelegate(&d.delegate);
    d.manager.requestWhenInUseAuthorization();
    d.source->failWith(QGeoPositionInfoSource::UpdateTimeoutError);
    d.source->deliver(10.0, 20.0);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return d.manager.authorizationStatus() == AuthorizationStatus::authorizedWhenInUse; }, 2000));
}

TEST(LocationLeave, NoSourceMeansDeniedAndAFailedRequestIsAnsweredLater) {
    LocationManager manager(nullptr, 5s);
    Recorder delegate;
    EXPECT_EQ(manager.authorizationStatus(), AuthorizationStatus::denied);
    manager.setDelegate(&delegate);
    manager.startUpdatingLocation();
    manager.requestWhenInUseAuthorization();
    manager.requestLocation();
    EXPECT_TRUE(delegate.failures.empty());
    EXPECT_TRUE(delegate.statuses.empty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return delegate.failures.size() == 2; }, 2000));
    EXPECT_EQ(delegate.statuses, std::vector{AuthorizationStatus::denied});
    EXPECT_EQ(delegate.failures[0].code, LocationErrorCode::denied);
    EXPECT_FALSE(delegate.failures[0].localizedDescription.empty());
    EXPECT_FALSE(manager.location().has_value());
}

TEST(OneLocation, IsDeliveredOnceWhenGranted) {
    Driven d;
    d.manager.setDelegate(&d.delegate);
    d.manager.requestWhenInUseAuthorization();
    d.source->deliver(1.0, 2.0);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return d.manager.authorizationStatus() == AuthorizationStatus::authorizedWhenInUse; }, 2000));
    EXPECT_TRUE(d.delegate.fixes.empty()) << "neither updating nor asked for one";

    d.manager.requestLocation();
    d.source->deliver(3.0, 4.0);
    d.source->deliver(5.0, 6.0);
    QTest::qWait(100);
    ASSERT_EQ(d.delegate.fixes.size(), 1u);
    EXPECT_DOUBLE_EQ(d.delegate.fixes[0].coordinate.latitude, 3.0);
    EXPECT_DOUBLE_EQ(d.manager.location()->coordinate.latitude, 5.0);
}

TEST(OneLocation, ATimeoutIsAFailureWithUnknownLocation) {
    Driven d;
    d.manager.setDelegate(&d.delegate);
    d.source->deliver(1.0, 2.0);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return d.manager.authorizationStatus() == AuthorizationStatus::authorizedWhenInUse; }, 2000));
    d.manager.requestLocation();
    d.source->failWith(QGeoPositionInfoSource::UpdateTimeoutError);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !d.delegate.failures.empty(); }, 2000));
    EXPECT_EQ(d.delegate.failures[0].code, LocationErrorCode::locationUnknown);
    EXPECT_EQ(d.manager.authorizationStatus(), AuthorizationStatus::authorizedWhenInUse);
}

TEST(DesktopLocationService, AMachineWithoutOneStillAnswers) {
    LocationManager manager;   // the desktop's own source, whatever this machine has
    Recorder delegate;
    manager.setDelegate(&delegate);
    manager.requestWhenInUseAuthorization();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !delegate.statuses.empty(); }, 2000));
}

} // namespace
