#pragma once
// Test support: a desktop notification service of the test's own, registered
// as org.freedesktop.Notifications on the session bus (through a connection of
// its own, as another program would be).

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <vector>

namespace testsupport {

class FakeNotificationServer : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Shown {
        QString appName;
        QString appIcon;
        QString summary;
        QString body;
        QVariantMap hints;
        int expireTimeout = 0;
    };

    // `answers` false: a service that takes every call and never replies.
    explicit FakeNotificationServer(bool answers = true);
    ~FakeNotificationServer() override;

    // False when the name could not be taken on the bus.
    bool registered() const noexcept { return registered_; }

    std::vector<Shown> shown;
    int informationRequests = 0;

public slots:
    QStringList GetCapabilities();
    QString GetServerInformation(QString& vendor, QString& version, QString& protocolVersion);
    uint Notify(const QString& appName, uint replacesId, const QString& appIcon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints, int expireTimeout);

private:
    QDBusConnection connection_;
    bool answers_;
    bool registered_ = false;
    std::vector<QDBusMessage> unanswered_;
};

} // namespace testsupport
