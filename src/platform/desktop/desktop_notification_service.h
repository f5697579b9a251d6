#pragma once
// The desktop's notification service (org.freedesktop.Notifications on the
// session bus), spoken to asynchronously with short reply timeouts, so that a
// bare session or a service that never answers costs a clear error, not a hang.
// Replies arrive on the thread of the `context` object passed to each call.

#include "platform/desktop/notification_request.h"

#include <QDBusConnection>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

class QDBusMessage;
class QObject;

namespace platform {

class DesktopNotificationService {
public:
    using Completion = std::function<void(std::optional<NotificationError>)>;

    static constexpr std::chrono::milliseconds defaultReplyTimeout{3000};

    // `connection` is the bus to use; none means the session bus, connected on first use.
    explicit DesktopNotificationService(std::optional<QDBusConnection> connection = std::nullopt,
                                        std::chrono::milliseconds replyTimeout = defaultReplyTimeout);

    // Asks the service who it is: no error means someone is there to show notifications.
    void probe(QObject* context, Completion done);

    // Shows `content` (title; subtitle and body as the text), with a sound when asked.
    void notify(QObject* context, const NotificationContent& content, bool withSound, Completion done);

    std::chrono::milliseconds replyTimeout() const noexcept { return replyTimeout_; }

private:
    QDBusConnection& connection();
    void call(QObject* context, const QDBusMessage& message, Completion done);

    std::optional<QDBusConnection> connection_;
    std::chrono::milliseconds replyTimeout_;
};

// The notification text body: subtitle and body on their own lines, escaped for
// services that read the body as markup.
std::string notificationBodyText(const NotificationContent& content);

} // namespace platform
