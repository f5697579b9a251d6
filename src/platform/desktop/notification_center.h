#pragma once
// The program's notification centre: it keeps the pending calendar-triggered
// requests, fires each one whose time comes while the program runs, and shows
// it through the desktop's notification service. While the program is in front
// the delegate decides how (or whether) it is shown; otherwise the delegate is
// not asked and it is shown as the desktop shows any notification, as a banner
// with its sound. Leave to notify is granted when that service answers.
//
// Pending requests live in the running process only: nothing fires once it
// has ended.
//
// Every completion handler and every delegate call runs on the thread the
// application object lives on (the main thread), whichever thread asked.

#include "platform/desktop/desktop_notification_service.h"
#include "platform/desktop/notification_request.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

namespace platform {

class NotificationCenter;

// The program is in front: it is the active application, and its window with
// the focus is shown and not minimised. A process without windows never is.
bool programInFront();

class NotificationCenterDelegate {
public:
    virtual ~NotificationCenterDelegate() = default;

    // A notification fired while the program is in front. Call
    // `completionHandler` once with the ways to show it; nothing shows it until then.
    virtual void willPresent(NotificationCenter& center, const Notification& notification,
                             std::function<void(PresentationOptions)> completionHandler) = 0;
};

class NotificationCenter : public QObject {
    Q_OBJECT

public:
    // The program's centre, made on first use and moved to the application's
    // thread; the application object must exist by then.
    static NotificationCenter& current();

    explicit NotificationCenter(DesktopNotificationService service = DesktopNotificationService(),
                                QObject* parent = nullptr);
    ~NotificationCenter() override;

    // Not owned: the delegate must outlive its role, or hand it back with nullptr.
    NotificationCenterDelegate* delegate() const noexcept { return delegate_; }
    void setDelegate(NotificationCenterDelegate* delegate) noexcept { delegate_ = delegate; }

    using AuthorizationHandler = std::function<void(bool granted, std::optional<NotificationError>)>;
    void requestAuthorization(AuthorizationOptions options, AuthorizationHandler completionHandler);

    // Adds a request, replacing a pending one with the same identifier.
    void add(NotificationRequest request, std::function<void(std::optional<NotificationError>)> completionHandler = {});
    void removeAllPendingNotificationRequests();
    void getPendingNotificationRequests(std::function<void(std::vector<NotificationRequest>)> completionHandler);

private:
    struct Pending {
        NotificationRequest request;
        std::optional<Date> fireDate;   // none: the trigger matches no future instant
    };

    void deliverDueRequests();
    void present(const Notification& notification, PresentationOptions options);
    void rearm();
    void later(std::function<void()> work);

    DesktopNotificationService service_;
    NotificationCenterDelegate* delegate_ = nullptr;
    std::vector<Pending> pending_;
    QTimer fireTimer_;
};

} // namespace platform
