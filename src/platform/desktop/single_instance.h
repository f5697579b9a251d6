#pragma once
// One running copy of a program per user. The first copy owns a unique name on
// the session bus and answers the standard org.freedesktop.Application
// `Activate` call there; a second copy that finds the name taken asks the
// running one to come to the front and steps aside. Without a session bus the
// copies cannot talk, but they still meet at a lock file: the first holds it
// for as long as it runs, and a second one steps aside with a console line.
// Every copy takes the lock, also with a bus, so that a copy started without
// one (another login, a shell without a session) is kept out too.
//
// The lock is an advisory lock on an open file, which the system lets go when
// the process ends however it ends, so a copy that crashed never blocks the
// next start. Calls to the bus wait at most `replyTimeout`. A lock path that
// cannot be opened or is not a regular file (a link, a FIFO, a device) is no
// place to meet: the copy runs, and says so in one console line.

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <chrono>
#include <optional>

namespace platform {

class SingleInstance : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    struct Names {
        QString busName;      // "com.tarnwick.Vadididod"
        QString objectPath;   // "/com/tarnwick/Vadididod"
        QString lockPath;     // a file in the user's runtime folder
    };

    enum class Claim {
        first,        // this copy runs; `activationRequested` tells when another start asks for it
        handedOver,   // another copy runs and was asked to come to the front: this one should end
        refused,      // another copy runs and could not be reached: this one should end
    };

    static constexpr std::chrono::milliseconds defaultReplyTimeout{5000};

    // `bus`: the session bus unless given; none or a bus that is not connected
    // leaves only the lock file. The application object must exist.
    explicit SingleInstance(Names names, std::optional<QDBusConnection> bus = std::nullopt,
                            std::chrono::milliseconds replyTimeout = defaultReplyTimeout, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Once, at start-up, before the program touches anything it shares with
    // other copies. Says on the console why a copy steps aside.
    Claim claim();

public slots:
    // Called over the bus by a later start. `platformData` may carry the
    // desktop's activation token, which the window system needs to let the
    // window come to the front.
    Q_SCRIPTABLE void Activate(const QVariantMap& platformData);

signals:
    void activationRequested(const QString& activationToken);

private:
    enum class BusName { owned, taken, unavailable };
    BusName takeBusName();
    bool askRunningCopy();
    bool takeLock();

    Names names_;
    QDBusConnection bus_;
    std::chrono::milliseconds replyTimeout_;
    bool ownsName_ = false;
    int lockFile_ = -1;
};

} // namespace platform
