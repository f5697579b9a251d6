#pragma once
// One choice of the THEME section: its label and, while it is the stored
// choice, a checkmark at the trailing side. The whole row, the space between
// label and checkmark included, takes the click.

#include <QAbstractButton>

class QLabel;

namespace sheets {

class ThemeRow : public QAbstractButton {
    Q_OBJECT

public:
    ThemeRow(const QString& label, qint64 value, QWidget* parent = nullptr);

    qint64 value() const noexcept { return value_; }
    bool isMarked() const noexcept;
    void setMarked(bool marked);

    QLabel* label() const noexcept { return label_; }
    QWidget* checkmark() const noexcept { return checkmark_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qint64 value_;
    QLabel* label_;
    QWidget* checkmark_;
};

} // namespace sheets
