#include "app/application_version.h"

#include "app/bundle.h"

namespace app::application {
namespace {

// A value that is not text counts as missing.
QString textOr(std::string_view key, const char* fallback) {
    const InfoDictionary& info = mainBundleInfo();
    const auto found = info.find(key);
    if (found != info.end()) {
        if (const auto* text = std::get_if<std::string>(&found->second)) return QString::fromStdString(*text);
    }
    return QString::fromLatin1(fallback);
}

} // namespace

QString release() { return textOr("CFBundleShortVersionString", "x.x"); }
QString build() { return textOr("CFBundleVersion", "x"); }
QString version() { return release() + QLatin1Char('.') + build(); }

} // namespace app::application
