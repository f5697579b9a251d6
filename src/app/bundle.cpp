#include "app/bundle.h"

#include "app/build_info.h"

#include <QFileInfo>

namespace app {
namespace {

std::optional<InfoDictionary>& infoOverride() {
    static std::optional<InfoDictionary> info;
    return info;
}

InfoDictionary buildInfo() {
    InfoDictionary info;
    if (!buildShortVersion.empty()) info.emplace("CFBundleShortVersionString", std::string(buildShortVersion));
    if (!buildNumber.empty()) info.emplace("CFBundleVersion", std::string(buildNumber));
    return info;
}

} // namespace

std::optional<QUrl> bundleResourceUrl(const QString& name, const QString& extension) {
    const QString path = extension.isEmpty() ? name : name + QLatin1Char('.') + extension;
    // Only the program's own resources are looked in: a ":" path never reaches the file system.
    const QFileInfo resource(QLatin1String(":/") + path);
    if (!resource.isFile()) return std::nullopt;
    QUrl url;
    url.setScheme(QStringLiteral("qrc"));
    url.setPath(resource.filePath().mid(1));
    return url;
}

const InfoDictionary& mainBundleInfo() {
    static const InfoDictionary built = buildInfo();
    return infoOverride() ? *infoOverride() : built;
}

void setMainBundleInfoOverride(std::optional<InfoDictionary> info) { infoOverride() = std::move(info); }

} // namespace app
