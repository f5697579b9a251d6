#include "fake_notification_server.h"

#include <QDBusConnectionInterface>

namespace testsupport {
namespace {

const QString serviceName = QStringLiteral("org.freedesktop.Notifications");
const QString objectPath = QStringLiteral("/org/freedesktop/Notifications");

} // namespace

FakeNotificationServer::FakeNotificationServer(bool answers)
    : connection_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-notification-server"))),
      answers_(answers) {
    registered_ = connection_.isConnected() &&
                  connection_.registerObject(objectPath, this, QDBusConnection::ExportAllSlots) &&
                  connection_.registerService(serviceName);
}

FakeNotificationServer::~FakeNotificationServer() {
    if (connection_.isConnected()) {
        connection_.unregisterService(serviceName);
        connection_.unregisterObject(objectPath);
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("fake-notification-server"));
}

QStringList FakeNotificationServer::GetCapabilities() {
    return {QStringLiteral("body"), QStringLiteral("body-markup"), QStringLiteral("sound")};
}

QString FakeNotificationServer::GetServerInformation(QString& vendor, QString& version, QString& protocolVersion) {
    ++informationRequests;
    if (!answers_) {
        setDelayedReply(true);
        unanswered_.push_back(message());
        return {};
    }
    vendor = QStringLiteral("Vadididod tests");
    version = QStringLiteral("1");
    protocolVersion = QStringLiteral("1.2");
    return QStringLiteral("fake-notification-server");
}

uint FakeNotificationServer::Notify(const QString& appName, uint, const QString& appIcon, const QString& summary,
                                    const QString& body, const QStringList&, const QVariantMap& hints,
                                    int expireTimeout) {
    if (!answers_) {
        setDelayedReply(true);
        unanswered_.push_back(message());
        return 0;
    }
    shown.push_back(Shown{appName, appIcon, summary, body, hints, expireTimeout});
    return static_cast<uint>(shown.size());
}

} // namespace testsupport
