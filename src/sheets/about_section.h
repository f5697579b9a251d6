#pragma once
// ABOUT: the copyright line and the line of thanks of the global model, the
// version of the running program, and "Help", which opens the help page. The
// two lines and the version are shown exactly as they are, never translated.

#include "sheets/form_rows.h"
#include "sheets/url_opener.h"

class QPushButton;

namespace app {
class GlobalModel;
}

namespace sheets {

class AboutSection : public FormSection {
    Q_OBJECT

public:
    AboutSection(app::GlobalModel& global, UrlOpener openURL, QWidget* parent = nullptr);

    // Opens the global model's help address; as the Help menu does, only a web
    // address is opened. Whether the opening succeeds is not waited for.
    void openHelp();

    QLabel* copyrightLabel() const noexcept { return copyright_; }
    QLabel* creditLabel() const noexcept { return credit_; }
    QLabel* versionLabel() const noexcept { return version_; }
    QPushButton* helpButton() const noexcept { return help_; }

private:
    app::GlobalModel& global_;
    UrlOpener openURL_;
    QLabel* copyright_;
    QLabel* credit_;
    QLabel* version_;
    QPushButton* help_;
};

} // namespace sheets
