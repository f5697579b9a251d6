#include "platform/desktop/single_instance.h"

#include <QByteArray>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <iostream>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr auto applicationInterface = "org.freedesktop.Application";

// The token a launcher hands a program so that its window may take the focus
// (Wayland's XDG activation, or the older startup notification of X11).
QVariantMap activationData() {
    QVariantMap data;
    for (const char* variable : {"XDG_ACTIVATION_TOKEN", "DESKTOP_STARTUP_ID"}) {
        const QByteArray token = qgetenv(variable);
        if (!token.isEmpty()) {
            data.insert(QStringLiteral("activation-token"), QString::fromUtf8(token));
            data.insert(QStringLiteral("desktop-startup-id"), QString::fromUtf8(token));
            break;
        }
    }
    return data;
}

void say(const std::string& line) { std::cout << line << std::endl; }

// The lock holder's process id as its file gives it, or "?". Anyone may write
// to the file, so only a plain positive number is shown: never its bytes as
// they stand, which could carry terminal controls.
std::string holderOf(int fd) {
    char text[32] = {};
    const ssize_t got = ::pread(fd, text, sizeof text, 0);
    if (got <= 0) return "?";
    std::string_view digits(text, static_cast<std::size_t>(got));
    while (!digits.empty() && std::isspace(static_cast<unsigned char>(digits.front()))) digits.remove_prefix(1);
    while (!digits.empty() && std::isspace(static_cast<unsigned char>(digits.back()))) digits.remove_suffix(1);
    long long pid = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size() || pid <= 0) return "?";
    return std::to_string(pid);
}

} // namespace

SingleInstance::SingleInstance(Names names, std::optional<QDBusConnection> bus, std::chrono::milliseconds replyTimeout,
                               QObject* parent)
    : QObject(parent),
      names_(std::move(names)),
      bus_(bus ? *bus : QDBusConnection::sessionBus()),
      replyTimeout_(replyTimeout) {}

SingleInstance::~SingleInstance() {
    if (ownsName_) {
        bus_.unregisterObject(names_.objectPath);
        bus_.unregisterService(names_.busName);
    }
    if (lockFile_ >= 0) ::close(lockFile_);   // closing lets go of the lock
}

SingleInstance::Claim SingleInstance::claim() {
    switch (takeBusName()) {
    case BusName::taken:
        return askRunningCopy() ? Claim::handedOver : Claim::refused;
    case BusName::owned:
    case BusName::unavailable:
        break;
    }
    if (takeLock()) return Claim::first;
    if (ownsName_) {
        bus_.unregisterObject(names_.objectPath);
        bus_.unregisterService(names_.busName);
        ownsName_ = false;
    }
    return Claim::refused;
}

SingleInstance::BusName SingleInstance::takeBusName() {
    if (!bus_.isConnected() || !bus_.interface()) return BusName::unavailable;
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply = bus_.interface()->registerService(
        names_.busName, QDBusConnectionInterface::DontQueueService, QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid()) return BusName::unavailable;
    if (reply.value() != QDBusConnectionInterface::ServiceRegistered) return BusName::taken;
    ownsName_ = true;
    if (!bus_.registerObject(names_.objectPath, this, QDBusConnection::ExportScriptableSlots)) {
        say("The running copy cannot be reached over the session bus: " + bus_.lastError().message().toStdString());
    }
    return BusName::owned;
}

bool SingleInstance::askRunningCopy() {
    QDBusMessage call = QDBusMessage::createMethodCall(names_.busName, names_.objectPath,
                                                       QString::fromLatin1(applicationInterface),
                                                       QStringLiteral("Activate"));
    call << activationData();
    const QDBusMessage reply = bus_.call(call, QDBus::Block, static_cast<int>(replyTimeout_.count()));
    if (reply.type() == QDBusMessage::ErrorMessage) {
        say("Another copy is running but does not answer (" + reply.errorMessage().toStdString() +
            "); this one ends.");
        return false;
    }
    say("Another copy is running; its window is brought to the front.");
    return true;
}

bool SingleInstance::takeLock() {
    const QByteArray path = QFile::encodeName(names_.lockPath);
    // Without following a link elsewhere, and without blocking: opening a FIFO
    // or a device could wait for the other end.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0600);
    if (fd < 0) {
        // Nowhere to meet: run rather than refuse to start at all.
        say("The lock file " + path.toStdString() + " cannot be opened; other copies cannot be kept out.");
        return true;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        say("The lock file " + path.toStdString() + " is not a regular file; other copies cannot be kept out.");
        return true;
    }
    int locked = 0;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const std::string holder = holderOf(fd);
        ::close(fd);
        say("Another copy is running (process " + holder +
            ") and cannot be reached without a session bus; this one ends.");
        return false;
    }
    const QByteArray pid = QByteArray::number(static_cast<qint64>(::getpid())) + '\n';
    if (::ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::pwrite(fd, pid.constData(), static_cast<std::size_t>(pid.size()), 0);
    }
    lockFile_ = fd;
    return true;
}

void SingleInstance::Activate(const QVariantMap& platformData) {
    emit activationRequested(platformData.value(QStringLiteral("activation-token")).toString());
}

} // namespace platform
