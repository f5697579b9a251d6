#include "platform/desktop/desktop_notification_service.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QMetaObject>
#include <QString>
#include <QVariantMap>

namespace platform {
namespace {

constexpr auto serviceName = "org.freedesktop.Notifications";
constexpr auto objectPath = "/org/freedesktop/Notifications";
constexpr auto interfaceName = "org.freedesktop.Notifications";

QDBusMessage methodCall(const char* method) {
    return QDBusMessage::createMethodCall(QString::fromLatin1(serviceName), QString::fromLatin1(objectPath),
                                          QString::fromLatin1(interfaceName), QString::fromLatin1(method));
}

std::string escapedMarkup(const std::string& text) {
    return QString::fromStdString(text).toHtmlEscaped().toStdString();
}

} // namespace

DesktopNotificationService::DesktopNotificationService(std::optional<QDBusConnection> connection,
                                                       std::chrono::milliseconds replyTimeout)
    : connection_(std::move(connection)), replyTimeout_(replyTimeout) {}

QDBusConnection& DesktopNotificationService::connection() {
    if (!connection_) connection_ = QDBusConnection::sessionBus();
    return *connection_;
}

void DesktopNotificationService::call(QObject* context, const QDBusMessage& message, Completion done) {
    QDBusConnection& bus = connection();
    if (!bus.isConnected()) {
        // Answer later all the same: callers must never be called back from inside their own call.
        auto reason = bus.lastError().isValid() ? bus.lastError().message().toStdString()
                                                : std::string("not connected to a session bus");
        QMetaObject::invokeMethod(
            context, [done = std::move(done), reason] { done(NotificationError{"No desktop notification service: " + reason}); },
            Qt::QueuedConnection);
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, static_cast<int>(replyTimeout_.count())), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [done = std::move(done)](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         if (finished->isError()) {
                             done(NotificationError{finished->error().message().toStdString()});
                         } else {
                             done(std::nullopt);
                         }
                     });
}

void DesktopNotificationService::probe(QObject* context, Completion done) {
    call(context, methodCall("GetServerInformation"), std::move(done));
}

void DesktopNotificationService::notify(QObject* context, const NotificationContent& content, bool withSound,
                                        Completion done) {
    QVariantMap hints;
    if (withSound && content.sound) {
        hints.insert(QStringLiteral("sound-name"), QString::fromStdString(content.sound->themeName()));
    } else {
        hints.insert(QStringLiteral("suppress-sound"), true);
    }
    const QString desktopEntry = QGuiApplication::desktopFileName();
    if (!desktopEntry.isEmpty()) hints.insert(QStringLiteral("desktop-entry"), desktopEntry);

    QDBusMessage message = methodCall("Notify");
    message << QCoreApplication::applicationName()        // app_name
            << quint32{0}                                // replaces_id
            << desktopEntry                              // app_icon: the program's own icon name
            << QString::fromStdString(content.title)     // summary
            << QString::fromStdString(notificationBodyText(content))
            << QStringList{}                             // actions
            << hints
            << qint32{-1};                               // expire_timeout: the service's default
    call(context, message, std::move(done));
}

std::string notificationBodyText(const NotificationContent& content) {
    if (content.subtitle.empty()) return escapedMarkup(content.body);
    if (content.body.empty()) return escapedMarkup(content.subtitle);
    return escapedMarkup(content.subtitle) + "\n" + escapedMarkup(content.body);
}

} // namespace platform
