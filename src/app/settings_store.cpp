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

// Why the store file cannot serve as it is; none when it can.
const char* damage(const QSettings& store) {
    // Qt parses the lines of a section only when it is first read, and a fault
    // there shows in status() only from then on: read every key first.
    static_cast<void>(store.allKeys());
    switch (store.status()) {
    case QSettings::FormatError:
        return "is damaged";
    case QSettings::AccessError:
        return "cannot be read";
    case QSettings::NoError:
        break;
    }
    return nullptr;
}

} // namespace

QString settingsStorePath() { return makeStore()->fileName(); }

std::unique_ptr<QSettings> openSettingsStore() {
    auto store = makeStore();
    const char* why = damage(*store);
    if (!why) return store;

    const QString path = store->fileName();
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
