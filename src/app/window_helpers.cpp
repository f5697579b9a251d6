#include "app/window_helpers.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace app {
namespace {

// Calls `action` on every change of the application's state that `fires` picks,
// given the state before and after.
template <class Picks>
QMetaObject::Connection onStateChange(QWidget* view, std::function<void()> action, Picks fires) {
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!application || !view || !action) return {};
    auto previous = std::make_shared<Qt::ApplicationState>(QGuiApplication::applicationState());
    return QObject::connect(application, &QGuiApplication::applicationStateChanged, view,
                            [previous, action = std::move(action), fires](Qt::ApplicationState state) {
                                const Qt::ApplicationState before = *previous;
                                *previous = state;
                                if (fires(before, state)) action();
                            });
}

DeviceOrientation toDeviceOrientation(Qt::ScreenOrientation orientation) {
    switch (orientation) {
    case Qt::PortraitOrientation:
        return DeviceOrientation::portrait;
    case Qt::InvertedPortraitOrientation:
        return DeviceOrientation::portraitUpsideDown;
    case Qt::LandscapeOrientation:
        return DeviceOrientation::landscapeLeft;
    case Qt::InvertedLandscapeOrientation:
        return DeviceOrientation::landscapeRight;
    case Qt::PrimaryOrientation:
        break;
    }
    return DeviceOrientation::unknown;
}

} // namespace

void hideKeyboard() {
    if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
}

QMetaObject::Connection onAppCameToForeground(QWidget* view, std::function<void()> action) {
    return onStateChange(view, std::move(action), [](Qt::ApplicationState before, Qt::ApplicationState after) {
        return before != Qt::ApplicationActive && after == Qt::ApplicationActive;
    });
}

QMetaObject::Connection onAppWentToBackground(QWidget* view, std::function<void()> action) {
    return onStateChange(view, std::move(action), [](Qt::ApplicationState before, Qt::ApplicationState after) {
        return before == Qt::ApplicationActive && after != Qt::ApplicationActive;
    });
}

void withHostingWindow(QWidget* view, std::function<void(QWidget* window)> callback) {
    if (!callback) return;
    QTimer::singleShot(0, [guarded = QPointer<QWidget>(view), callback = std::move(callback)] {
        callback(guarded ? guarded->window() : nullptr);
    });
}

DeviceOrientation currentDeviceOrientation() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? toDeviceOrientation(screen->orientation()) : DeviceOrientation::unknown;
}

QMetaObject::Connection onRotate(QWidget* view, std::function<void(DeviceOrientation)> action) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || !view || !action) return {};
    return QObject::connect(screen, &QScreen::orientationChanged, view,
                            [action = std::move(action)](Qt::ScreenOrientation) { action(currentDeviceOrientation()); });
}

void isHidden(QWidget* view, bool hidden, bool remove) {
    if (!view) return;
    QSizePolicy policy = view->sizePolicy();
    policy.setRetainSizeWhenHidden(hidden && !remove);
    view->setSizePolicy(policy);
    view->setVisible(!hidden);
}

} // namespace app
