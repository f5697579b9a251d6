#include "app/settings_store.h"

#include "app/console.h"
#include "app/file_replacement.h"

#include "platform/core/outside_file.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>

#include <cerrno>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <variant>

namespace app {
namespace {

constexpr auto folderName = "Tarnwick";
constexpr auto fileName = "Vadididod.conf";

struct NoFile {};
struct Unusable {
    const char* why;
};
using ReadResult = std::variant<NoFile, Unusable, SettingsStore::Values>;

ReadResult readStoreFile(const QString& path) {
    const auto text = platform::readOutsideFile(QFile::encodeName(path).toStdString(), settingsStoreMaximumBytes);
    if (!text) {
        switch (text.error().kind) {
        case platform::OutsideFileError::Kind::cannotOpen:
            if (text.error().systemError == ENOENT) return NoFile{};
            break;
        case platform::OutsideFileError::Kind::cannotRead: break;
        case platform::OutsideFileError::Kind::notRegularFile: return Unusable{"is not a regular file"};
        case platform::OutsideFileError::Kind::tooLarge: return Unusable{"is larger than 1 MiB"};
        }
        return Unusable{"cannot be read"};
    }
    auto values = parseSettingsText(QByteArray(text->data(), static_cast<qsizetype>(text->size())));
    if (!values) return Unusable{"is damaged"};
    return std::move(*values);
}

// Stores set aside and not yet handed out. The store may be opened from any
// thread that reads the preferences.
std::mutex setAsideLock;
std::vector<QString> setAside;

QString asideName(const QString& path) {
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss'Z'"));
    QString candidate = path + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink(); ++n) {
        candidate = path + QStringLiteral(".damaged-") + stamp + QLatin1Char('-') + QString::number(n);
    }
    return candidate;
}

// Each missing folder of the path is made 0700, and ours is kept at 0700.
// The errno of what failed: of mkdir, or ENOTDIR for a file in the way.
int makePrivateFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.exists()) {
        if (const int error = makePrivateFolder(info.absolutePath())) return error;
        if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0 && errno != EEXIST) return errno;
    }
    return QFileInfo(folder).isDir() ? 0 : ENOTDIR;
}

std::optional<ReplaceFailure> makeStoreFolder(const QString& folder) {
    if (const int error = makePrivateFolder(folder)) return ReplaceFailure{"make folder", error};
    struct stat status {};
    const QByteArray name = QFile::encodeName(folder);
    if (::stat(name.constData(), &status) == 0 && status.st_uid == ::getuid() && (status.st_mode & 077) != 0) {
        ::chmod(name.constData(), 0700);
    }
    return std::nullopt;
}

// The reason the saves of this run of failures failed for; none after a save
// that succeeded. Saves may come from any thread that holds preferences.
std::mutex failingLock;
std::optional<std::string> failingReason;

// Whether the user has yet to be told of a failure for this reason.
bool isNewFailure(const std::string& reason) {
    const std::lock_guard<std::mutex> hold(failingLock);
    if (failingReason == reason) return false;
    failingReason = reason;
    return true;
}

void saveSucceeded() {
    const std::lock_guard<std::mutex> hold(failingLock);
    failingReason.reset();
}

} // namespace

QString settingsStorePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
           QLatin1String(folderName) + QLatin1Char('/') + QLatin1String(fileName);
}

std::optional<SettingsStore::Values> parseSettingsText(const QByteArray& text) {
    if (text.contains('\0')) return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(text);
    if (utf8.hasError()) return std::nullopt;

    SettingsStore::Values values;
    bool inGeneral = true;   // keys before any header belong to [General]
    for (QStringView line : QStringView(decoded).split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#')) continue;
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']')) return std::nullopt;
            inGeneral = line == u"[General]" || line == u"[%General]";
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0) return std::nullopt;
        const QStringView key = line.first(equals).trimmed();
        if (key.isEmpty()) return std::nullopt;
        if (inGeneral) values[key.toString()] = line.sliced(equals + 1).trimmed().toString();
    }
    return values;
}

QByteArray settingsText(const SettingsStore::Values& values) {
    QByteArray text = "[General]\n";
    for (const auto& [key, value] : values) {
        // A line break in a value would start a line of its own: it is no value of ours.
        if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'))) continue;
        text += key.toUtf8() + '=' + value.toUtf8() + '\n';
    }
    return text;
}

std::optional<SettingsStore> SettingsStore::open() {
    const QString path = settingsStorePath();
    ReadResult read = readStoreFile(path);
    if (auto* values = std::get_if<Values>(&read)) return SettingsStore(std::move(*values));
    if (std::holds_alternative<NoFile>(read)) return SettingsStore(Values{});

    const char* why = std::get<Unusable>(read).why;
    const QString aside = asideName(path);
    if (::rename(QFile::encodeName(path).constData(), QFile::encodeName(aside).constData()) != 0) {
        print("Settings: " + path.toStdString() + " " + why + " and cannot be moved aside; it is left as it is " +
              "and this run keeps its preferences in memory only.");
        return std::nullopt;
    }
    print("Settings: " + path.toStdString() + " " + why + "; it is kept as " + aside.toStdString() +
          " and a new store is begun.");
    {
        const std::lock_guard<std::mutex> hold(setAsideLock);
        setAside.push_back(aside);
    }
    emit StoreNotifier::shared().storeSetAside();
    return SettingsStore(Values{});
}

std::optional<QString> SettingsStore::value(const QString& key) const {
    const auto found = values_.find(key);
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

bool SettingsStore::save() const {
    const QString path = settingsStorePath();
    auto failure = makeStoreFolder(QFileInfo(path).absolutePath());
    if (!failure) {
        failure = replaceFileWhole(QFile::encodeName(path).toStdString(), settingsText(values_).toStdString());
    }
    if (!failure) {
        saveSucceeded();
        return true;
    }
    const std::string reason = failure->text();
    print("Settings: the preferences could not be written to " + path.toStdString() + " (" + reason +
          "); the file there is as it was.");
    if (isNewFailure(reason)) emit StoreNotifier::shared().saveFailed(path, QString::fromStdString(reason));
    return false;
}

void removeUnfinishedSaves() {
    const QString path = settingsStorePath();
    const int removed = removeUnfinishedReplacements(QFile::encodeName(path).toStdString(), 60);
    if (removed > 0) {
        print("Settings: removed " + std::to_string(removed) + " unfinished save" + (removed == 1 ? "" : "s") +
              " beside " + path.toStdString() + ".");
    }
}

StoreNotifier& StoreNotifier::shared() {
    // Never destroyed: a store may be set aside or saved while the process ends.
    static auto* notifier = new StoreNotifier;
    return *notifier;
}

std::vector<QString> takeSetAsideStores() {
    const std::lock_guard<std::mutex> hold(setAsideLock);
    return std::exchange(setAside, {});
}

void resetDefaults() {
    if (auto store = SettingsStore::open()) {
        store->clear();
        store->save();
    }
}

} // namespace app
