#pragma once
// The bar across the top of both sheets: the sheet's title in a large bold
// font, and its "Done" button at the trailing side.

#include <QWidget>

class QLabel;
class QPushButton;

namespace sheets {

class SheetTitleBar : public QWidget {
    Q_OBJECT

public:
    SheetTitleBar(const QString& title, const QString& doneText, QWidget* parent = nullptr);

    QLabel* titleLabel() const noexcept { return title_; }
    QPushButton* doneButton() const noexcept { return done_; }

private:
    QLabel* title_;
    QPushButton* done_;
};

} // namespace sheets
