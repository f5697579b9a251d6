#pragma once
// A warning over a window that the user reads and may copy from (a path, a web
// address), not waited for: the window stays in use while it is up, and it
// goes away when closed.

#include <QString>

class QMessageBox;
class QWidget;

namespace app {

// Opens the warning `text`, shown as plain text and selectable, titled `title`,
// over `window`; the message is the caller's to watch until it closes.
QMessageBox* openWarningMessage(const QString& title, const QString& text, QWidget* window);

} // namespace app
