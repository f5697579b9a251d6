#include "sheets/sheet_title_bar.h"

#include "sheets/return_key.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace sheets {

SheetTitleBar::SheetTitleBar(const QString& title, const QString& doneText, QWidget* parent)
    : QWidget(parent), title_(new QLabel(title, this)), done_(new QPushButton(doneText, this)) {
    QFont font = title_->font();
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * 1.6);
    else if (font.pixelSize() > 0)
        font.setPixelSize(font.pixelSize() * 8 / 5);
    font.setBold(true);
    title_->setFont(font);
    title_->setTextFormat(Qt::PlainText);
    title_->setMargin(8);
    keepOffReturnKey(done_);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 15, 0);
    layout->addWidget(title_);
    layout->addStretch(1);
    layout->addWidget(done_);
}

} // namespace sheets
