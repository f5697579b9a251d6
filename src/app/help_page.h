#pragma once
// Opening the program's help page, as the Help menu and the preferences'
// "Help" button both do. Only a web address is opened (web_address.h), and the
// browser is not waited for. Where no browser takes the address, a message
// over the window that asked says so and shows the address, to be selected and
// copied; the window stays in use meanwhile.

#include "app/web_address.h"

#include <QString>

class QWidget;

namespace app {

// Opens `address` with `open`; anything that is no web address does nothing.
// A failure is told over `window` unless such a message is still up: asking
// again while the browser fails never stacks a second one. A failure that
// comes once `window` is gone is not told.
void openHelpPage(const QString& address, QWidget* window, const WebAddressOpener& open = openWebAddress);

} // namespace app
