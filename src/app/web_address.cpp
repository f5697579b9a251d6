#include "app/web_address.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace app {

std::optional<QUrl> webAddress(const QString& text) {
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        url.host().isEmpty()) {
        return std::nullopt;
    }
    return url;
}

// Qt starts xdg-open detached and so cannot tell how it ended; run here, its
// exit status says whether a browser took the address. The process object has
// no parent: deleting a running QProcess kills its program, and xdg-open must
// be free to outlive the window (it may wait for the browser it started).
void openWebAddress(const QUrl& url, QObject* context, std::function<void()> failed) {
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        if (!QDesktopServices::openUrl(url) && failed) failed();
        return;
    }
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    QObject::connect(process, &QProcess::finished, context, [failed](int exitCode, QProcess::ExitStatus status) {
        if ((status != QProcess::NormalExit || exitCode != 0) && failed) failed();
    });
    QObject::connect(process, &QProcess::errorOccurred, context, [process, failed](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        process->deleteLater();
        if (failed) failed();
    });
    process->start(opener, {url.toString(QUrl::FullyEncoded)});
}

} // namespace app
