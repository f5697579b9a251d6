#pragma once
// The web addresses the program opens (its help page): only http and https
// addresses with a host count; anything else is not opened at all.

#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

class QObject;

namespace app {

std::optional<QUrl> webAddress(const QString& text);

// Hands `url` to the desktop's handler for web addresses and calls `failed`,
// at once or later from the event loop, when nothing took it: no handler could
// be started, or the desktop's opener (xdg-open) ended with a failure status,
// as it does when it finds no browser. xdg-open may run as long as the browser
// it started, and may outlive `context`; `failed` never runs once `context` is
// gone. What the opener writes still goes to the console.
void openWebAddress(const QUrl& url, QObject* context, std::function<void()> failed);

// A way of handing an address to the desktop, as openWebAddress does; tests
// put their own in place so that no browser starts.
using WebAddressOpener = std::function<void(const QUrl& url, QObject* context, std::function<void()> failed)>;

} // namespace app
