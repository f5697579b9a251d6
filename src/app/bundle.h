#pragma once
// The program's bundle: its resources (compiled into the program with Qt's
// resource system) and its information values, which the build sets.

#include <QString>
#include <QUrl>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>

namespace app {

// The address of the resource at `name` ("Sounds/chime.wav") with the
// extension `extension` appended after a point when not empty; none when the
// program has no such resource.
std::optional<QUrl> bundleResourceUrl(const QString& name, const QString& extension = {});

// The program's information values, as the build records them: the short
// version under "CFBundleShortVersionString" and the build number under
// "CFBundleVersion".
using InfoValue = std::variant<std::string, std::int64_t, double, bool>;
using InfoDictionary = std::map<std::string, InfoValue, std::less<>>;

const InfoDictionary& mainBundleInfo();

// Tests put other values in place here; std::nullopt returns to the build's.
void setMainBundleInfoOverride(std::optional<InfoDictionary> info);

} // namespace app
