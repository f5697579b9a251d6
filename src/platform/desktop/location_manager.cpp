#include "platform/desktop/location_manager.h"

#include "platform/desktop/qt_dates.h"

#include <QDBusConnection>
#include <QGeoPositionInfo>
#include <QPointer>
#include <QGeoPositionInfoSource>

#include <cmath>

namespace platform {
namespace {

// GeoClue2 lives on the system bus; without one its source never answers, so
// there is no location service to ask.
std::unique_ptr<QGeoPositionInfoSource> defaultSource() {
    std::unique_ptr<QGeoPositionInfoSource> source(QGeoPositionInfoSource::createDefaultSource(nullptr));
    if (source && source->sourceName() == QLatin1String("geoclue2") && !QDBusConnection::systemBus().isConnected()) {
        source.reset();
    }
    return source;
}

std::string describe(LocationErrorCode code) {
    switch (code) {
    case LocationErrorCode::denied:
        return "The location service is not available or has refused access.";
    case LocationErrorCode::locationUnknown:
        break;
    }
    return "No location could be found.";
}

std::optional<double> attribute(const QGeoPositionInfo& info, QGeoPositionInfo::Attribute which) {
    if (!info.hasAttribute(which)) return std::nullopt;
    return info.attribute(which);
}

} // namespace

LocationManager::LocationManager(QObject* parent)
    : LocationManager(defaultSource(), defaultAnswerTimeout, parent) {}

LocationManager::LocationManager(std::unique_ptr<QGeoPositionInfoSource> source,
                                 std::chrono::milliseconds answerTimeout, QObject* parent)
    : QObject(parent), source_(std::move(source)), answerTimeout_(answerTimeout) {
    if (!source_) {
        status_ = AuthorizationStatus::denied;
        return;
    }
    // Queued, so that a source that fails inside a request still answers from the event loop.
    connect(source_.get(), &QGeoPositionInfoSource::positionUpdated, this, &LocationManager::positionUpdated,
            Qt::QueuedConnection);
    connect(source_.get(), &QGeoPositionInfoSource::errorOccurred, this,
            [this](QGeoPositionInfoSource::Error error) { sourceFailed(static_cast<int>(error)); },
            Qt::QueuedConnection);
}

LocationManager::~LocationManager() = default;

void LocationManager::later(void (LocationManager::*work)()) {
    QMetaObject::invokeMethod(this, work, Qt::QueuedConnection);
}

void LocationManager::setDelegate(LocationManagerDelegate* delegate) {
    delegate_ = delegate;
    if (delegate_) later(&LocationManager::reportAuthorization);
}

void LocationManager::reportAuthorization() {
    if (delegate_) delegate_->locationManagerDidChangeAuthorization(*this);
}

void LocationManager::changeStatus(AuthorizationStatus status) {
    if (status_ == status) return;
    status_ = status;
    reportAuthorization();
}

void LocationManager::startUpdatingLocation() {
    updating_ = true;
    if (!source_) {
        QMetaObject::invokeMethod(this, [this] { fail(LocationErrorCode::denied); }, Qt::QueuedConnection);
        return;
    }
    source_->startUpdates();
}

void LocationManager::requestWhenInUseAuthorization() {
    if (status_ != AuthorizationStatus::notDetermined || asking_ || !source_) return;
    asking_ = true;
    source_->requestUpdate(static_cast<int>(answerTimeout_.count()));
}

void LocationManager::requestLocation() {
    if (!source_ || status_ == AuthorizationStatus::denied || status_ == AuthorizationStatus::restricted) {
        QMetaObject::invokeMethod(this, [this] { fail(LocationErrorCode::denied); }, Qt::QueuedConnection);
        return;
    }
    requested_ = true;
    source_->requestUpdate(static_cast<int>(answerTimeout_.count()));
}

void LocationManager::positionUpdated(const QGeoPositionInfo& info) {
    const QGeoCoordinate c = info.coordinate();
    if (!c.isValid()) return;
    Location fix;
    fix.coordinate = {c.latitude(), c.longitude()};
    if (c.type() == QGeoCoordinate::Coordinate3D && std::isfinite(c.altitude())) fix.altitude = c.altitude();
    fix.horizontalAccuracy = attribute(info, QGeoPositionInfo::HorizontalAccuracy);
    fix.timestamp = fromQDateTime(info.timestamp()).value_or(Date::now());
    location_ = fix;
    asking_ = false;

    const QPointer<LocationManager> self(this);
    changeStatus(AuthorizationStatus::authorizedWhenInUse);
    if (!self) return;   // the delegate let go of us
    if (updating_ || requested_) {
        requested_ = false;
        if (delegate_) delegate_->locationManagerDidUpdateLocations(*this, {fix});
    }
}

void LocationManager::sourceFailed(int error) {
    const bool wasAsking = asking_;
    asking_ = false;
    const QPointer<LocationManager> self(this);
    switch (static_cast<QGeoPositionInfoSource::Error>(error)) {
    case QGeoPositionInfoSource::AccessError:
    case QGeoPositionInfoSource::ClosedError:
    case QGeoPositionInfoSource::UnknownSourceError:
        changeStatus(AuthorizationStatus::denied);
        if (self && (updating_ || requested_)) fail(LocationErrorCode::denied);
        break;
    case QGeoPositionInfoSource::UpdateTimeoutError:
        // Nobody answered the question of leave in time: no service to grant it.
        if (wasAsking && status_ == AuthorizationStatus::notDetermined) changeStatus(AuthorizationStatus::denied);
        if (self && requested_) fail(LocationErrorCode::locationUnknown);
        break;
    case QGeoPositionInfoSource::NoError:
        break;
    }
}

void LocationManager::fail(LocationErrorCode code) {
    requested_ = false;
    if (delegate_) delegate_->locationManagerDidFailWithError(*this, LocationError{code, describe(code)});
}

} // namespace platform
