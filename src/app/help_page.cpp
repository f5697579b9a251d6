#include "app/help_page.h"

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
    auto* message = new QMessageBox(
        QMessageBox::Warning, QCoreApplication::translate("HelpPage", "Help on website"),
        QCoreApplication::translate("HelpPage", "No web browser could open the help page. Its address is:") +
            QStringLiteral("\n\n") + url.toString(),
        QMessageBox::Ok, window);
    message->setTextFormat(Qt::PlainText);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    message->setAttribute(Qt::WA_DeleteOnClose);
    shownMessage() = message;
    message->open();
}

} // namespace

void openHelpPage(const QString& address, QWidget* window, const WebAddressOpener& open) {
    const auto url = webAddress(address);
    if (!url || !window || !open) return;
    open(*url, window, [window, address = *url] { tellNoBrowserOpened(address, window); });
}

} // namespace app
