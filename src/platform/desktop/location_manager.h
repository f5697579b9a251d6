#pragma once
// The program's location manager, over QtPositioning (GeoClue2 on a desktop).
//
// The desktop asks no when-in-use question of its own, so leave is read from
// what the location service does: a fix means when-in-use granted; an access
// error, a service that never answers, or no service at all means denied.
// Every answer reaches the delegate from the event loop, never from inside the
// call that asked. The methods are virtual so that a stand-in source of
// statuses can take the manager's place.

#include "platform/core/date.h"

#include <QGeoPositionInfoSource>
#include <QObject>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class AuthorizationStatus : std::int32_t {
    notDetermined = 0,
    restricted = 1,
    denied = 2,
    authorizedAlways = 3,
    authorizedWhenInUse = 4,
};

struct LocationCoordinate {
    double latitude = 0.0;    // degrees, north positive
    double longitude = 0.0;   // degrees, east positive
    friend bool operator==(const LocationCoordinate&, const LocationCoordinate&) = default;
};

struct Location {
    LocationCoordinate coordinate;
    std::optional<double> altitude;             // metres
    std::optional<double> horizontalAccuracy;   // metres
    Date timestamp;
};

enum class LocationErrorCode : std::int32_t { locationUnknown = 0, denied = 1 };

struct LocationError {
    LocationErrorCode code = LocationErrorCode::locationUnknown;
    std::string localizedDescription;
};

class LocationManager;

class LocationManagerDelegate {
public:
    virtual ~LocationManagerDelegate() = default;
    virtual void locationManagerDidChangeAuthorization(LocationManager& manager) = 0;
    virtual void locationManagerDidUpdateLocations(LocationManager& manager, const std::vector<Location>& locations) = 0;
    virtual void locationManagerDidFailWithError(LocationManager& manager, const LocationError& error) = 0;
};

class LocationManager : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds defaultAnswerTimeout{30000};

    // Over the desktop's default position source.
    explicit LocationManager(QObject* parent = nullptr);
    // Over `source`; none stands for a machine without location service.
    // `answerTimeout` bounds the wait for a fix, for leave and for one location.
    LocationManager(std::unique_ptr<QGeoPositionInfoSource> source, std::chrono::milliseconds answerTimeout,
                    QObject* parent = nullptr);
    ~LocationManager() override;

    // Not owned. Setting one reports the current status to it, from the event loop.
    LocationManagerDelegate* delegate() const noexcept { return delegate_; }
    virtual void setDelegate(LocationManagerDelegate* delegate);

    virtual AuthorizationStatus authorizationStatus() const { return status_; }
    virtual std::optional<Location> location() const { return location_; }

    virtual void startUpdatingLocation();
    virtual void requestWhenInUseAuthorization();
    virtual void requestLocation();

private:
    void positionUpdated(const QGeoPositionInfo& info);
    void sourceFailed(int error);
    void changeStatus(AuthorizationStatus status);
    void reportAuthorization();
    void fail(LocationErrorCode code);
    void later(void (LocationManager::*work)());

    std::unique_ptr<QGeoPositionInfoSource> source_;
    std::chrono::milliseconds answerTimeout_;
    LocationManagerDelegate* delegate_ = nullptr;
    AuthorizationStatus status_ = AuthorizationStatus::notDetermined;
    std::optional<Location> location_;
    bool asking_ = false;     // a fix is awaited to learn the status
    bool updating_ = false;
    bool requested_ = false;  // one location was asked for
};

} // namespace platform
