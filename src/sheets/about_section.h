#pragma once
// ABOUT: the copyright line and the line of thanks of the global model, the
// version of the running program, and "Help", which opens the help page. The
// two lines and the version are shown exactly as they are, never translated.

#include "app/web_address.h"
#include "sheets/form_rows.h"

class QPushButton;

namespace app {
class GlobalModel;
}

namespace sheets {

class AboutSection : public FormSection {
    Q_OBJECT

public:
    AboutSection(app::GlobalModel& global, app::WebAddressOpener openURL, QWidget* parent = nullptr);

    // Opens the global model's help address as the Help menu does
    // (app::openHelpPage), a failure told over the sheet.
    void openHelp();

    QLabel* copyrightLabel() const noexcept { return copyright_; }
    QLabel* creditLabel() const noexcept { return credit_; }
    QLabel* versionLabel() const noexcept { return version_; }
    QPushButton* helpButton() const noexcept { return help_; }

private:
    app::GlobalModel& global_;
    app::WebAddressOpener openURL_;
    QLabel* copyright_;
    QLabel* credit_;
    QLabel* version_;
    QPushButton* help_;
};

} // namespace sheets
