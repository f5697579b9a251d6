#pragma once
// The program's application delegate. At launch it becomes the notification
// centre's delegate, so that a notification firing while the program runs is
// shown as a banner with its sound, and noted on the console.

#include "platform/desktop/notification_center.h"

#include <string>

namespace app {

class AppDelegate : public platform::NotificationCenterDelegate {
public:
    // `center`: the centre to serve; the program's own by default.
    explicit AppDelegate(platform::NotificationCenter* center = nullptr);
    ~AppDelegate() override;
    AppDelegate(const AppDelegate&) = delete;
    AppDelegate& operator=(const AppDelegate&) = delete;

    // Takes the delegate role; never declines the launch.
    bool applicationWillFinishLaunching();

    void willPresent(platform::NotificationCenter& center, const platform::Notification& notification,
                     std::function<void(platform::PresentationOptions)> completionHandler) override;

private:
    platform::NotificationCenter* center_;
};

// Banner and sound: no badge, no list entry.
inline constexpr platform::PresentationOptions presentationInFront{platform::PresentationOption::banner,
                                                                   platform::PresentationOption::sound};

platform::NotificationSoundName convertToUNNotificationSoundName(const std::string& input);

} // namespace app
