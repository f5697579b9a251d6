#include "app/settings_store.h"

#include "app/console.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace app {
namespace {

std::unique_ptr<QSettings> makeStore() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QString::fromLatin1(SettingsOrganization),
                                       QString::fromLatin1(SettingsApplication));
}

QString asideName(const QString& path) {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString candidate = path + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink(); ++n) {
        candidate = path + QStringLiteral(".damaged-") + stamp + QLatin1Char('-') + QString::number(n);
    }
    return candidate;
}

} // namespace

QString settingsStorePath() { return makeStore()->fileName(); }

std::unique_ptr<QSettings> openSettingsStore() {
    auto store = makeStore();
    if (store->status() == QSettings::NoError) return store;

    const QString path = store->fileName();
    const char* why = store->status() == QSettings::FormatError ? "is damaged" : "cannot be read";
    store.reset();
    const QString aside = asideName(path);
    if (!QFile::rename(path, aside)) {
        print("Settings: " + path.toStdString() + " " + why + " and cannot be moved aside; it is left as it is " +
              "and this run keeps its preferences in memory only.");
        return nullptr;
    }
    print("Settings: " + path.toStdString() + " " + why + "; it is kept as " + aside.toStdString() +
          " and a new store is begun.");
    return makeStore();
}

bool syncSettingsStore(QSettings& store) {
    store.sync();
    if (store.status() == QSettings::NoError) return true;
    print("Settings: the preferences could not be written to " + store.fileName().toStdString() + ".");
    return false;
}

void resetDefaults() {
    if (auto store = openSettingsStore()) {
        store->clear();
        syncSettingsStore(*store);
    }
}

} // namespace app
