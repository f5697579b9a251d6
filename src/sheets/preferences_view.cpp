#include "sheets/preferences_view.h"

#include "app/global_model.h"
#include "app/user_settings.h"
#include "sheets/about_section.h"
#include "sheets/appearance_sections.h"
#include "sheets/general_section.h"
#include "sheets/notifications_section.h"
#include "sheets/return_key.h"
#include "sheets/sheet_title_bar.h"

#include <QHideEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QVBoxLayout>

namespace sheets {

PreferencesView::PreferencesView(Binding<bool> refreshInfo, QWidget* parent, app::WebAddressOpener openURL)
    : QDialog(parent),
      refreshInfo_(std::move(refreshInfo)),
      userSettings_(app::UserSettings::shared()),
      global_(app::GlobalModel::shared()),
      shownTheme_(userSettings_.theme()),
      titleBar_(new SheetTitleBar(tr("Settings"), tr("Done"), this)),
      form_(new QScrollArea(this)) {
    setModal(true);
    setWindowTitle(tr("Settings"));
    resize(480, 640);

    auto* content = new QWidget;
    general_ = new GeneralSection(userSettings_, global_, content);
    notifications_ = new NotificationsSection(userSettings_, content);
    siderealZodiac_ = new SiderealZodiacSection(userSettings_, content);
    chineseZodiac_ = new ChineseZodiacSection(userSettings_, content);
    theme_ = new ThemeSection(userSettings_, content);
    about_ = new AboutSection(global_, std::move(openURL), content);

    auto* sections = new QVBoxLayout(content);
    sections->addWidget(general_);
    sections->addWidget(notifications_);
    sections->addWidget(siderealZodiac_);
    sections->addWidget(chineseZodiac_);
    sections->addWidget(theme_);
    sections->addWidget(about_);
    sections->addStretch(1);

    form_->setWidgetResizable(true);
    form_->setFrameShape(QFrame::NoFrame);
    form_->setWidget(content);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titleBar_);
    layout->addWidget(form_, 1);

    connect(titleBar_->doneButton(), &QPushButton::clicked, this, &QDialog::accept);
    connect(&userSettings_, &app::UserSettings::themeChanged, this, &PreferencesView::themeChanged);
}

void PreferencesView::themeChanged(qint64 theme) {
    if (theme == shownTheme_) return;
    shownTheme_ = theme;
    // Reads the theme back from the store, which the preference saved before announcing it.
    if (onScreen_) utilities_.overrideDisplayMode();
}

void PreferencesView::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous() || onScreen_) return;
    onScreen_ = true;
    general_->appear();
}

// Every way of closing hides the sheet; a minimised window (a spontaneous
// hide) has not closed.
void PreferencesView::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (event->spontaneous() || !onScreen_) return;
    onScreen_ = false;
    general_->disappear();
    invert(refreshInfo_);
}

void PreferencesView::keyPressEvent(QKeyEvent* event) {
    if (swallowReturnKey(event)) return;
    QDialog::keyPressEvent(event);
}

} // namespace sheets
