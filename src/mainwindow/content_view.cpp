#include "mainwindow/content_view.h"

#include "app/audio_manager.h"
#include "app/global_model.h"
#include "app/user_settings.h"
#include "mainwindow/sheet_buttons.h"
#include "sheets/year_text.h"

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

namespace {

QString fullDate(platform::Date date) {
    platform::DateFormatter formatter;
    formatter.setDateStyle(platform::DateFormatStyle::full);
    formatter.setTimeStyle(platform::DateFormatStyle::none);
    return QString::fromStdString(formatter.string(date));
}

} // namespace

// The locale's full date, and the era's name where it is not the present one,
// so that a year before the first is not read as one after it.
QString ContentView::selectedDateText() const {
    QString text = fullDate(selectedDate_);
    if (const auto era = sheets::otherEraName(selectedDate_); era && !text.isEmpty())
        text += QLatin1Char(' ') + QString::fromStdString(*era);
    return text;
}

void ContentView::showSelectedDate() { dateLabel_->setText(selectedDateText()); }

} // namespace mainwindow
