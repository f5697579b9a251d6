#include "sheets/return_key.h"

#include <QKeyEvent>
#include <QPushButton>

namespace sheets {

bool swallowReturnKey(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return false;
    event->accept();
    return true;
}

void keepOffReturnKey(QPushButton* button) {
    button->setAutoDefault(false);
    button->setDefault(false);
}

} // namespace sheets
