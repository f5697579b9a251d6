#include "app/warning_message.h"

#include <QMessageBox>

namespace app {

QMessageBox* openWarningMessage(const QString& title, const QString& text, QWidget* window) {
    auto* message = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, window);
    message->setTextFormat(Qt::PlainText);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    message->setAttribute(Qt::WA_DeleteOnClose);
    message->open();
    return message;
}

} // namespace app
