#pragma once
// The preferences sheet. It works on the shared UserSettings and GlobalModel:
// every switch, choice and theme row writes its preference at once, and the
// coordinate rows commit when they leave the screen (general_section.h).
//
// A change of the theme applies it at once, while the sheet stays open; a
// choice of the theme already stored applies nothing. Every closing of the
// sheet, by "Done", Escape or the window's close button, first commits the
// coordinates and then inverts `refreshInfo` exactly once, so the main window's
// refresh reads the committed position.

#include "sheets/binding.h"

#include "app/utilities.h"
#include "app/web_address.h"

#include <QDialog>

class QScrollArea;

namespace app {
class GlobalModel;
class UserSettings;
}

namespace sheets {

class AboutSection;
class ChineseZodiacSection;
class GeneralSection;
class NotificationsSection;
class SheetTitleBar;
class SiderealZodiacSection;
class ThemeSection;

class PreferencesView : public QDialog {
    Q_OBJECT

public:
    // `openURL` opens the help page: the desktop's handler unless a test sets one.
    explicit PreferencesView(Binding<bool> refreshInfo, QWidget* parent = nullptr,
                             app::WebAddressOpener openURL = app::openWebAddress);

    SheetTitleBar* titleBar() const noexcept { return titleBar_; }
    QScrollArea* form() const noexcept { return form_; }
    GeneralSection* general() const noexcept { return general_; }
    NotificationsSection* notifications() const noexcept { return notifications_; }
    SiderealZodiacSection* siderealZodiac() const noexcept { return siderealZodiac_; }
    ChineseZodiacSection* chineseZodiac() const noexcept { return chineseZodiac_; }
    ThemeSection* theme() const noexcept { return theme_; }
    AboutSection* about() const noexcept { return about_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void themeChanged(qint64 theme);

    Binding<bool> refreshInfo_;
    app::Utilities utilities_;
    app::UserSettings& userSettings_;
    app::GlobalModel& global_;
    qint64 shownTheme_;
    bool onScreen_ = false;

    SheetTitleBar* titleBar_;
    QScrollArea* form_;
    GeneralSection* general_;
    NotificationsSection* notifications_;
    SiderealZodiacSection* siderealZodiac_;
    ChineseZodiacSection* chineseZodiac_;
    ThemeSection* theme_;
    AboutSection* about_;
};

} // namespace sheets
