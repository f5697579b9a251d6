#pragma once
// Small helpers between views and the desktop: keyboard focus, the program
// coming to the front or leaving it, the window that hosts a view, the screen
// turning, device kinds and hiding a view. Each subscription lasts as long as
// the view it was made for.

#include <QMetaObject>

#include <functional>

class QWidget;

namespace app {

// Takes the keyboard focus from whatever holds it.
void hideKeyboard();

// `action` runs each time the program becomes the active one again.
QMetaObject::Connection onAppCameToForeground(QWidget* view, std::function<void()> action);
// `action` runs each time the program stops being the active one.
QMetaObject::Connection onAppWentToBackground(QWidget* view, std::function<void()> action);

// Once, from the event loop after this call: `callback` gets the window that
// hosts `view`, or nullptr when the view is gone by then.
void withHostingWindow(QWidget* view, std::function<void(QWidget* window)> callback);

enum class DeviceOrientation : int {
    unknown = 0,
    portrait = 1,
    portraitUpsideDown = 2,
    landscapeLeft = 3,
    landscapeRight = 4,
    faceUp = 5,
    faceDown = 6,
};

// The primary screen's orientation now; unknown without one.
DeviceOrientation currentDeviceOrientation();

// `action` gets the orientation read at that moment, each time the primary screen turns.
QMetaObject::Connection onRotate(QWidget* view, std::function<void(DeviceOrientation)> action);

// A desktop is neither kind of handheld.
inline constexpr bool isIPad() noexcept { return false; }
inline constexpr bool isIPhone() noexcept { return false; }

// hidden false: shown. hidden true: hidden, still taking its place in the
// layout, or, with `remove`, taking none.
void isHidden(QWidget* view, bool hidden, bool remove = false);

} // namespace app
