#include "app/location_data_manager.h"

#include "app/console.h"

namespace app {

using platform::AuthorizationStatus;

LocationDataManager::LocationDataManager() : LocationDataManager(std::make_unique<platform::LocationManager>()) {}

LocationDataManager::LocationDataManager(std::unique_ptr<platform::LocationManager> manager)
    : locationManager_(std::move(manager)) {
    locationManager_->setDelegate(this);
    locationManager_->startUpdatingLocation();
    locationManager_->requestWhenInUseAuthorization();
}

LocationDataManager::~LocationDataManager() {
    if (locationManager_->delegate() == this) locationManager_->setDelegate(nullptr);
}

void LocationDataManager::setAuthorizationStatus(std::optional<AuthorizationStatus> status) {
    authorizationStatus_ = status;
    emit authorizationStatusChanged();
}

void LocationDataManager::locationManagerDidChangeAuthorization(platform::LocationManager& manager) {
    switch (manager.authorizationStatus()) {
    case AuthorizationStatus::notDetermined:
        setAuthorizationStatus(AuthorizationStatus::notDetermined);
        manager.requestWhenInUseAuthorization();
        break;
    case AuthorizationStatus::restricted:
        setAuthorizationStatus(AuthorizationStatus::restricted);
        break;
    case AuthorizationStatus::denied:
        setAuthorizationStatus(AuthorizationStatus::denied);
        break;
    case AuthorizationStatus::authorizedAlways:
        break;
    case AuthorizationStatus::authorizedWhenInUse:
        setAuthorizationStatus(AuthorizationStatus::authorizedWhenInUse);
        locationManager_->requestLocation();
        break;
    }
}

void LocationDataManager::locationManagerDidUpdateLocations(platform::LocationManager&,
                                                            const std::vector<platform::Location>&) {}

void LocationDataManager::locationManagerDidFailWithError(platform::LocationManager&,
                                                          const platform::LocationError& error) {
    print("error: " + error.localizedDescription);
}

} // namespace app
