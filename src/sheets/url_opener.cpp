#include "sheets/url_opener.h"

#include <QDesktopServices>

namespace sheets {

UrlOpener desktopUrlOpener() {
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

} // namespace sheets
