#include "app/global_model.h"

#include "app/fixed_values.h"

namespace app {
namespace {

constexpr auto makerWebsite = "https://www.tarnwick.com";
constexpr auto helpPage = "https://www.tarnwick.com/vadididod.html";

} // namespace

GlobalModel& GlobalModel::shared() {
    static GlobalModel instance;
    return instance;
}

GlobalModel::GlobalModel()
    : appName_(QString::fromUtf8(app::AppName.data(), static_cast<qsizetype>(app::AppName.size()))),
      copyrightStr_(QStringLiteral("Copyright © Tarnwick. All rights reserved.")),
      otherCredit_(QStringLiteral("Thanks to the friend whose question about the old festivals began this program.")),
      website_(QString::fromLatin1(makerWebsite)),
      websiteHelp_(QString::fromLatin1(helpPage)) {}

void GlobalModel::setAppName(const QString& value) { assign(appName_, value, &GlobalModel::appNameChanged); }
void GlobalModel::setCopyrightStr(const QString& value) { assign(copyrightStr_, value, &GlobalModel::copyrightStrChanged); }
void GlobalModel::setOtherCredit(const QString& value) { assign(otherCredit_, value, &GlobalModel::otherCreditChanged); }
void GlobalModel::setWebsite(const QString& value) { assign(website_, value, &GlobalModel::websiteChanged); }
void GlobalModel::setWebsiteHelp(const QString& value) { assign(websiteHelp_, value, &GlobalModel::websiteHelpChanged); }
void GlobalModel::setLongitude(double value) { assign(longitude_, value, &GlobalModel::LongitudeChanged); }
void GlobalModel::setLatitude(double value) { assign(latitude_, value, &GlobalModel::LatitudeChanged); }

} // namespace app
