#pragma once
// How a sheet opens a web address. The desktop's handler by default; tests put
// their own in place so that no browser starts. The result tells whether the
// address was handed on; the sheets do not wait for it or act on it.

#include <QUrl>

#include <functional>

namespace sheets {

using UrlOpener = std::function<bool(const QUrl&)>;

// QDesktopServices::openUrl.
UrlOpener desktopUrlOpener();

} // namespace sheets
