#include "sheets/calendar_view.h"

#include "engine/date_texts.h"
#include "sheets/date_time_picker.h"
#include "sheets/reform_calendar_widget.h"
#include "sheets/return_key.h"
#include "sheets/sheet_title_bar.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace sheets {

CalendarView::CalendarView(Binding<platform::Date> theDate, Binding<bool> refreshInfo, QWidget* parent, Clock now)
    : QDialog(parent),
      theDate_(std::move(theDate)),
      refreshInfo_(std::move(refreshInfo)),
      now_(std::move(now)),
      date_(now_()),
      titleBar_(new SheetTitleBar(tr("Calendar"), tr("Done"), this)),
      picker_(new DateTimePicker(this)),
      today_(new QPushButton(QIcon::fromTheme(QStringLiteral("go-home")), tr("Today"), this)),
      cancel_(new QPushButton(tr("Cancel"), this)) {
    setModal(true);
    setWindowTitle(tr("Calendar"));
    keepOffReturnKey(today_);
    keepOffReturnKey(cancel_);
    picker_->setDate(date_);

    auto* bottomBar = new QHBoxLayout;
    bottomBar->addWidget(today_);
    bottomBar->addStretch(1);
    bottomBar->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titleBar_);
    layout->addWidget(picker_);
    layout->addStretch(1);
    layout->addLayout(bottomBar);

    connect(titleBar_->doneButton(), &QPushButton::clicked, this, &CalendarView::acceptDateAndClose);
    connect(today_, &QPushButton::clicked, this, &CalendarView::moveToToday);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(picker_, &DateTimePicker::dateChanged, this, [this](platform::Date date) { date_ = date; });
}

QPushButton* CalendarView::doneButton() const noexcept { return titleBar_->doneButton(); }

void CalendarView::acceptDateAndClose() {
    theDate_.set(date_);
    invert(refreshInfo_);
    accept();
}

void CalendarView::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window brought back from the task bar has not newly come on screen.
    if (!event->spontaneous()) appear();
}

void CalendarView::keyPressEvent(QKeyEvent* event) {
    if (swallowReturnKey(event)) return;
    QDialog::keyPressEvent(event);
}

// The picker opens on the selected day at the present time of day. Where the
// calendar cannot form that instant, the selected date comes back unchanged.
// The day grid takes the keys, so that the arrows move the day at once.
void CalendarView::appear() {
    date_ = engine::setTimeToNow(theDate_.get(), now_());
    picker_->setDate(date_);
    picker_->calendar()->setFocus(Qt::OtherFocusReason);
}

void CalendarView::moveToToday() {
    date_ = now_();
    picker_->setDate(date_);
}

} // namespace sheets
