#include "sheets/notifications_section.h"

#include "app/user_settings.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace sheets {

using app::UserSettings;

namespace {

constexpr int mostDaysBefore = 7;

} // namespace

NotificationsSection::NotificationsSection(UserSettings& settings, QWidget* parent)
    : FormSection(tr("NOTIFICATIONS"), tr("You need to allow notifications for this app in your device settings."),
                  parent),
      settings_(settings),
      allow_(new ToggleRow(tr("Allow notifications"), settings,
                           {&UserSettings::wantNotifications, &UserSettings::setWantNotifications,
                            &UserSettings::wantNotificationsChanged},
                           this)),
      eventRows_(new QWidget(this)),
      festivals_(new ToggleRow(tr("Vadididod"), settings,
                               {&UserSettings::notifyFestivals, &UserSettings::setNotifyFestivals,
                                &UserSettings::notifyFestivalsChanged},
                               eventRows_)),
      seasons_(new ToggleRow(tr("Seasons"), settings,
                             {&UserSettings::notifySeasons, &UserSettings::setNotifySeasons,
                              &UserSettings::notifySeasonsChanged},
                             eventRows_)),
      solstice_(new ToggleRow(tr("Solstice"), settings,
                              {&UserSettings::notifySolstice, &UserSettings::setNotifySolstice,
                               &UserSettings::notifySolsticeChanged},
                              eventRows_)),
      equinox_(new ToggleRow(tr("Equinox"), settings,
                             {&UserSettings::notifyEquinox, &UserSettings::setNotifyEquinox,
                              &UserSettings::notifyEquinoxChanged},
                             eventRows_)),
      easter_(new ToggleRow(tr("Easter Sunday"), settings,
                            {&UserSettings::notifyEaster, &UserSettings::setNotifyEaster,
                             &UserSettings::notifyEasterChanged},
                            eventRows_)),
      daysBefore_(new QComboBox),
      timeOfDay_(new QTimeEdit),
      astronomical_(new ToggleRow(tr("Use astronomical dates"), settings,
                                  {&UserSettings::notifyOnAstronomicalDates,
                                   &UserSettings::setNotifyOnAstronomicalDates,
                                   &UserSettings::notifyOnAstronomicalDatesChanged},
                                  eventRows_)) {
    for (int days = 0; days <= mostDaysBefore; ++days) daysBefore_->addItem(QString::number(days), QVariant::fromValue<qlonglong>(days));
    timeOfDay_->setDisplayFormat(QStringLiteral("HH:mm"));
    showDaysBefore(settings_.notifyDaysBefore());
    showTimeOfDay();

    auto* rows = new QVBoxLayout(eventRows_);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->addWidget(festivals_);
    rows->addWidget(seasons_);
    rows->addWidget(solstice_);
    rows->addWidget(equinox_);
    rows->addWidget(easter_);
    rows->addWidget(labelledRow(tr("Notify days before"), daysBefore_, eventRows_));
    rows->addWidget(labelledRow(tr("Time of day"), timeOfDay_, eventRows_));
    rows->addWidget(astronomical_);

    addRow(allow_);
    addRow(eventRows_);
    eventRows_->setVisible(settings_.wantNotifications());

    connect(&settings_, &UserSettings::wantNotificationsChanged, eventRows_, &QWidget::setVisible);
    connect(daysBefore_, &QComboBox::activated, this,
            [this](int index) { settings_.setNotifyDaysBefore(daysBefore_->itemData(index).toLongLong()); });
    connect(&settings_, &UserSettings::notifyDaysBeforeChanged, this, &NotificationsSection::showDaysBefore);
    connect(timeOfDay_, &QTimeEdit::timeChanged, this, &NotificationsSection::timeOfDayPicked);
    connect(&settings_, &UserSettings::notifyTimeOfDayChanged, this, &NotificationsSection::showTimeOfDay);
}

// A stored number outside the choices leaves none chosen.
void NotificationsSection::showDaysBefore(qint64 days) {
    const QSignalBlocker quiet(daysBefore_);
    daysBefore_->setCurrentIndex(daysBefore_->findData(QVariant::fromValue<qlonglong>(days)));
}

void NotificationsSection::showTimeOfDay() {
    const QSignalBlocker quiet(timeOfDay_);
    const app::WallTime& chosen = settings_.notifyWallTime();
    timeOfDay_->setTime(QTime(chosen.hour, chosen.minute));
}

// The stored time keeps its date and seconds and takes the hour and minute as
// picked, also one that the clocks skip on that date: the clock time is the
// preference, and only a day whose clocks skip it moves its notification.
void NotificationsSection::timeOfDayPicked() {
    const QTime picked = timeOfDay_->time();
    if (!picked.isValid()) {
        showTimeOfDay();
        return;
    }
    app::WallTime chosen = settings_.notifyWallTime();
    chosen.hour = picked.hour();
    chosen.minute = picked.minute();
    settings_.setNotifyTimeOfDay(chosen);
}

} // namespace sheets
