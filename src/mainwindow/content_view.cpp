#include "mainwindow/content_view.h"

#include "app/audio_manager.h"
#include "app/global_model.h"
#include "app/user_settings.h"
#include "engine/calendar_dates.h"
#include "engine/date_texts.h"
#include "engine/year_text.h"
#include "mainwindow/sheet_buttons.h"

#include "platform/core/date_formatter.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

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
    fitLongestDate();
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

platform::DateFormatter fullDateFormatter() {
    platform::DateFormatter formatter;
    formatter.setDateStyle(platform::DateFormatStyle::full);
    formatter.setTimeStyle(platform::DateFormatStyle::none);
    return formatter;
}

} // namespace

// The locale's full date, with the era where it is not the present one, so
// that a year before the first is not read as one after it.
QString ContentView::selectedDateText() const {
    return QString::fromStdString(engine::fullDateText(selectedDate_));
}

void ContentView::showSelectedDate() {
    const QString text = selectedDateText();
    dateLabel_->setText(text);
    // A date wider still (one before the era, a year of five digits) widens the
    // window rather than lose its end.
    dateLabel_->setMinimumWidth(std::max(longestDateWidth_, dateLabelWidth(text)));
}

// As the label measures its text, and never less than the text's advance.
int ContentView::dateLabelWidth(const QString& text) const {
    const QFontMetrics metrics(dateLabel_->font());
    const int textWidth =
        std::max(metrics.horizontalAdvance(text), metrics.boundingRect(QRect(0, 0, 2000, 2000), 0, text).width());
    const QMargins margins = dateLabel_->contentsMargins();
    return textWidth + margins.left() + margins.right() + 2 * dateLabel_->margin();
}

// Every pairing of a weekday with a month, each with a day of two digits: the
// days 22 to 28 of a month fall on the seven weekdays. The year is the present
// one; a user interface font gives all digits one width, so it stands for every
// year of four digits.
void ContentView::fitLongestDate() {
    const platform::DateFormatter formatter = fullDateFormatter();
    const int year = engine::getYear(platform::Date::now());
    int widest = 0;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 22; day <= 28; ++day) {
            const std::string text = formatter.string(engine::dateFrom(day, month, year, 12, 0, 0));
            widest = std::max(widest, dateLabelWidth(QString::fromStdString(text)));
        }
    }
    longestDateWidth_ = widest;
}

// The label's font follows the content's.
void ContentView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange && dateLabel_) {
        fitLongestDate();
        showSelectedDate();
    }
}

} // namespace mainwindow
