#include "app/app_delegate.h"

#include "app/console.h"

namespace app {

AppDelegate::AppDelegate(platform::NotificationCenter* center) : center_(center) {}

AppDelegate::~AppDelegate() {
    // Hand the role back rather than leave the centre a delegate that is gone.
    if (center_ && center_->delegate() == this) center_->setDelegate(nullptr);
}

bool AppDelegate::applicationWillFinishLaunching() {
    if (!center_) center_ = &platform::NotificationCenter::current();
    center_->setDelegate(this);
    return true;
}

void AppDelegate::willPresent(platform::NotificationCenter&, const platform::Notification& notification,
                              std::function<void(platform::PresentationOptions)> completionHandler) {
    print("Notification received with identifier " + notification.request.identifier);
    if (completionHandler) completionHandler(presentationInFront);
}

platform::NotificationSoundName convertToUNNotificationSoundName(const std::string& input) {
    return platform::NotificationSoundName{input};
}

} // namespace app
