#pragma once
// The program's one owner of a location manager: it becomes the manager's
// delegate, asks for when-in-use leave, and asks for one location once leave is
// granted. It records the last status it acted on and keeps no locations (the
// main window reads the manager's own last location).

#include "platform/desktop/location_manager.h"

#include <QObject>

#include <memory>
#include <optional>

namespace app {

class LocationDataManager : public QObject, public platform::LocationManagerDelegate {
    Q_OBJECT

public:
    // Over the desktop's location service.
    LocationDataManager();
    // Over the given manager (another source of statuses).
    explicit LocationDataManager(std::unique_ptr<platform::LocationManager> manager);
    ~LocationDataManager() override;

    platform::LocationManager& locationManager() noexcept { return *locationManager_; }

    std::optional<platform::AuthorizationStatus> authorizationStatus() const noexcept { return authorizationStatus_; }
    void setAuthorizationStatus(std::optional<platform::AuthorizationStatus> status);

    void locationManagerDidChangeAuthorization(platform::LocationManager& manager) override;
    void locationManagerDidUpdateLocations(platform::LocationManager& manager,
                                           const std::vector<platform::Location>& locations) override;
    void locationManagerDidFailWithError(platform::LocationManager& manager,
                                         const platform::LocationError& error) override;

signals:
    void authorizationStatusChanged();

private:
    std::unique_ptr<platform::LocationManager> locationManager_;
    std::optional<platform::AuthorizationStatus> authorizationStatus_;
};

} // namespace app
