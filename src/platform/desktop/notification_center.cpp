#include "platform/desktop/notification_center.h"

#include "platform/core/calendar.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QWindow>

#include <algorithm>
#include <atomic>
#include <iostream>
#include <memory>

namespace platform {
namespace {

// The timer is re-armed at least this often, so a clock change or a sleeping
// machine delays a notification by no more than this.
constexpr std::chrono::milliseconds longestWait = std::chrono::hours(1);

// How the desktop shows a notification of a program that is not in front.
constexpr PresentationOptions systemPresentation{PresentationOption::banner, PresentationOption::sound};

} // namespace

bool programInFront() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;   // no windows at all
    if (QGuiApplication::applicationState() != Qt::ApplicationActive) return false;
    const QWindow* window = QGuiApplication::focusWindow();
    return window && window->isVisible() && !(window->windowStates() & Qt::WindowMinimized);
}

std::string NotificationSound::themeName() const {
    return name_ ? name_->rawValue : std::string("message-new-instant");
}

std::optional<Date> CalendarNotificationTrigger::nextTriggerDate(Date after) const {
    return Calendar::current().nextDate(after, dateMatching, MatchingPolicy::nextTime);
}

NotificationCenter& NotificationCenter::current() {
    static NotificationCenter* const center = [] {
        auto* made = new NotificationCenter();
        if (auto* application = QCoreApplication::instance()) made->moveToThread(application->thread());
        return made;
    }();
    return *center;
}

NotificationCenter::NotificationCenter(DesktopNotificationService service, QObject* parent)
    : QObject(parent), service_(std::move(service)), fireTimer_(this) {
    fireTimer_.setSingleShot(true);
    connect(&fireTimer_, &QTimer::timeout, this, &NotificationCenter::deliverDueRequests);
}

NotificationCenter::~NotificationCenter() = default;

void NotificationCenter::later(std::function<void()> work) {
    QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
}

void NotificationCenter::requestAuthorization(AuthorizationOptions, AuthorizationHandler completionHandler) {
    later([this, completionHandler = std::move(completionHandler)]() mutable {
        service_.probe(this, [completionHandler = std::move(completionHandler)](std::optional<NotificationError> error) {
            if (completionHandler) completionHandler(!error.has_value(), std::move(error));
        });
    });
}

void NotificationCenter::add(NotificationRequest request,
                             std::function<void(std::optional<NotificationError>)> completionHandler) {
    later([this, request = std::move(request), completionHandler = std::move(completionHandler)]() mutable {
        if (request.identifier.empty()) {
            if (completionHandler) completionHandler(NotificationError{"A notification request needs an identifier"});
            return;
        }
        std::erase_if(pending_, [&](const Pending& p) { return p.request.identifier == request.identifier; });
        std::optional<Date> fireDate = request.trigger ? request.trigger->nextTriggerDate(Date::now()) : Date::now();
        pending_.push_back(Pending{std::move(request), fireDate});
        rearm();
        if (completionHandler) completionHandler(std::nullopt);
    });
}

void NotificationCenter::removeAllPendingNotificationRequests() {
    later([this] {
        pending_.clear();
        rearm();
    });
}

void NotificationCenter::getPendingNotificationRequests(
    std::function<void(std::vector<NotificationRequest>)> completionHandler) {
    later([this, completionHandler = std::move(completionHandler)] {
        std::vector<NotificationRequest> requests;
        requests.reserve(pending_.size());
        for (const Pending& p : pending_) requests.push_back(p.request);
        if (completionHandler) completionHandler(std::move(requests));
    });
}

void NotificationCenter::rearm() {
    std::optional<Date> earliest;
    for (const Pending& p : pending_) {
        if (p.fireDate && (!earliest || *p.fireDate < *earliest)) earliest = p.fireDate;
    }
    if (!earliest) {
        fireTimer_.stop();
        return;
    }
    const double ms = earliest->timeIntervalSince(Date::now()) * 1000.0;
    const double longest = static_cast<double>(longestWait.count());
    fireTimer_.start(std::chrono::milliseconds(static_cast<long long>(ms > 0.0 ? std::min(ms, longest) : 0.0)));
}

void NotificationCenter::deliverDueRequests() {
    const Date now = Date::now();
    std::vector<Notification> due;
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (!it->fireDate || *it->fireDate > now) {
            ++it;
            continue;
        }
        due.push_back(Notification{it->request, now});
        if (it->request.trigger && it->request.trigger->repeats) {
            it->fireDate = it->request.trigger->nextTriggerDate(now);
            ++it;
        } else {
            it = pending_.erase(it);
        }
    }
    rearm();

    for (const Notification& notification : due) {
        if (!programInFront()) {
            present(notification, systemPresentation);
            continue;
        }
        if (!delegate_) continue;   // nobody to ask how to show it while the program is in front
        auto answered = std::make_shared<std::atomic_bool>(false);
        QPointer<NotificationCenter> self(this);
        delegate_->willPresent(*this, notification, [self, notification, answered](PresentationOptions options) {
            if (answered->exchange(true)) return;   // only the first answer counts
            if (!self) return;
            // The delegate may answer from any thread; the showing happens on ours.
            QMetaObject::invokeMethod(
                self.data(), [self, notification, options] {
                    if (self) self->present(notification, options);
                },
                Qt::QueuedConnection);
        });
    }
}

void NotificationCenter::present(const Notification& notification, PresentationOptions options) {
    // The desktop has no separate list of notifications to file one in without showing it.
    const bool shown = options.contains(PresentationOption::banner) || options.contains(PresentationOption::alert);
    if (!shown) return;
    service_.notify(this, notification.request.content, options.contains(PresentationOption::sound),
                    [](std::optional<NotificationError> error) {
                        if (error) std::cout << "Notification Error: " << error->localizedDescription << std::endl;
                    });
}

} // namespace platform
