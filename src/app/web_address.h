#pragma once
// The web addresses the program opens (its help page): only http and https
// addresses with a host count; anything else is not opened at all.

#include <QString>
#include <QUrl>

#include <optional>

namespace app {

std::optional<QUrl> webAddress(const QString& text);

} // namespace app
