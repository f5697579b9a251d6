#include "mainwindow/content_view.h"

#include "app/audio_manager.h"
#include "app/global_model.h"
#include "app/user_settings.h"
#include "mainwindow/sheet_buttons.h"

#include "platform/core/calendar.h"
#include "platform/core/date_formatter.h"

#include <QLabel>
#include <QToolBar>
#include <QVBoxLayout>

namespace mainwindow {

ContentView::ContentView(QWidget* parent)
    : QWidget(parent),
      userSettings_(std::make_unique<app::UserSettings>()),
      global_(app::GlobalModel::shared()),
      audioManager_(std::make_unique<app::AudioManager>()),
      selectedDate_(platform::Date::now()) {
    dateLabel_ = new QLabel(this);
    dateLabel_->setAlignment(Qt::AlignCenter);
    dateLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont font = dateLabel_->font();
    font.setPointSizeF(font.pointSizeF() * 1.4);
    dateLabel_->setFont(font);

    toolbar_ = new QToolBar(this);
    addSheetButtons(*toolbar_, *this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(toolbar_);
    layout->addWidget(dateLabel_);
    showSelectedDate();
    connect(this, &ContentView::refreshInfoChanged, this, &ContentView::showSelectedDate);
}

ContentView::~ContentView() = default;

void ContentView::setSelectedDate(platform::Date date) {
    selectedDate_ = date;
    showSelectedDate();
    emit selectedDateChanged(date);
}

void ContentView::setRefreshInfo(bool value) {
    if (value == refreshInfo_) return;
    refreshInfo_ = value;
    emit refreshInfoChanged(value);
}

void ContentView::reevaluate() {
    // Signals of the old object may still be on their way; let it go from the event loop.
    userSettings_.release()->deleteLater();
    userSettings_ = std::make_unique<app::UserSettings>();
    emit reevaluated();
}

// The locale's full date, and the era's name where it is not the present one,
// so that a year before the first is not read as one after it.
QString ContentView::selectedDateText() const {
    platform::DateFormatter formatter;
    formatter.setDateStyle(platform::DateFormatStyle::full);
    formatter.setTimeStyle(platform::DateFormatStyle::none);
    std::string text = formatter.string(selectedDate_);

    const platform::Calendar calendar = platform::Calendar::current();
    const auto eraOf = [&](platform::Date date) {
        return calendar.components({platform::CalendarComponent::era}, date).era;
    };
    const auto era = eraOf(selectedDate_);
    if (!text.empty() && era && era != eraOf(platform::Date::now())) {
        platform::DateFormatter eraName;
        eraName.setDateFormat("G");
        text += " " + eraName.string(selectedDate_);
    }
    return QString::fromStdString(text);
}

void ContentView::showSelectedDate() { dateLabel_->setText(selectedDateText()); }

} // namespace mainwindow
