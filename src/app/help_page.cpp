#include "app/help_page.h"

#include "app/warning_message.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>

namespace app {
namespace {

// The one message that is up, wherever it was asked from.
QPointer<QMessageBox>& shownMessage() {
    static QPointer<QMessageBox> message;
    return message;
}

void tellNoBrowserOpened(const QUrl& url, QWidget* window) {
    if (shownMessage()) return;
    shownMessage() = openWarningMessage(
        QCoreApplication::translate("HelpPage", "Help on website"),
        QCoreApplication::translate("HelpPage", "No web browser could open the help page. Its address is:") +
            QStringLiteral("\n\n") + url.toString(),
        window);
}

} // namespace

void openHelpPage(const QString& address, QWidget* window, const WebAddressOpener& open) {
    const auto url = webAddress(address);
    if (!url || !window || !open) return;
    // The window may be gone when the opener reports, whatever the opener does with its context.
    open(*url, window, [window = QPointer<QWidget>(window), address = *url] {
        if (window) tellNoBrowserOpened(address, window);
    });
}

} // namespace app
