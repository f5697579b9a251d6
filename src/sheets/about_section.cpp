#include "sheets/about_section.h"

#include "app/application_version.h"
#include "app/global_model.h"
#include "app/help_page.h"
#include "sheets/return_key.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace sheets {

AboutSection::AboutSection(app::GlobalModel& global, app::WebAddressOpener openURL, QWidget* parent)
    : FormSection(tr("ABOUT"), QString(), parent),
      global_(global),
      openURL_(std::move(openURL)),
      copyright_(plainTextLabel(global.copyrightStr(), this)),
      credit_(plainTextLabel(global.otherCredit(), this)),
      version_(plainTextLabel(app::application::version(), this)),
      help_(new QPushButton(tr("Help"), this)) {
    keepOffReturnKey(help_);

    version_->setWordWrap(false);
    QWidget* versionRow = labelledRow(tr("Version"), version_, this);

    auto* helpRow = new QWidget(this);
    auto* helpLayout = new QHBoxLayout(helpRow);
    helpLayout->setContentsMargins(0, 0, 0, 0);
    help_->setParent(helpRow);
    helpLayout->addWidget(help_);
    helpLayout->addStretch(1);

    addRow(copyright_);
    addRow(credit_);
    addRow(versionRow);
    addRow(helpRow);

    connect(help_, &QPushButton::clicked, this, &AboutSection::openHelp);
}

void AboutSection::openHelp() { app::openHelpPage(global_.websiteHelp(), window(), openURL_); }

} // namespace sheets
