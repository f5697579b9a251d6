#pragma once
// The program's version texts, read from its information values at every call.

#include <QString>

namespace app::application {

QString release();   // "CFBundleShortVersionString" when it is text, else "x.x"
QString build();     // "CFBundleVersion" when it is text, else "x"
QString version();   // release, ".", build: "1.4.12"

} // namespace app::application
