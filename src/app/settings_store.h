#pragma once
// The per-user defaults store: one small text file of `key=value` lines under
// a `[General]` header, in the user's XDG configuration folder
// ($XDG_CONFIG_HOME/Tarnwick/Vadididod.conf). Every value is kept as plain
// text (stored_values.h); the file is never handed to a deserialiser.
//
// The file holds the user's coordinates, so it is made 0600 in a folder that
// is 0700, and replaced whole and atomically at each save, keeping the
// permissions the user gave it (file_replacement.h); a save of the bytes it
// holds already leaves it untouched. A save that cannot write, flush or sync
// all of it leaves the file as it was, says why on the console, and tells the
// window (StoreNotifier::saveFailed) once for a run of failures of one cause.
//
// Reading trusts nothing about what is at the path: it opens without blocking
// (a FIFO there never holds start-up), checks the opened descriptor, and takes
// only a regular file of at most 1 MiB that parses as such lines. Anything else
// (a folder, a FIFO, a larger file, an unreadable or damaged one) is never
// written over: it is moved aside under a new name, with a line on the
// console, and the program goes on with an empty store; the window tells the
// user where it went (takeSetAsideStores), whenever that happens: at start,
// or when a later read or save finds the file so. If it cannot even be moved,
// the store is not opened at all and nothing is written.

#include <QByteArray>
#include <QObject>
#include <QString>

#include <cstddef>
#include <map>
#include <optional>
#include <vector>

namespace app {

// The largest store file that is read.
inline constexpr std::size_t settingsStoreMaximumBytes = 1024 * 1024;

class SettingsStore {
public:
    using Values = std::map<QString, QString>;   // key -> the value's text

    // The store as it stands on disk (empty when there is no file yet); none
    // when a file that cannot serve could not be set aside.
    static std::optional<SettingsStore> open();

    const Values& values() const noexcept { return values_; }
    bool isEmpty() const noexcept { return values_.empty(); }
    bool contains(const QString& key) const { return values_.count(key) != 0; }
    std::optional<QString> value(const QString& key) const;

    void setValue(const QString& key, const QString& text) { values_[key] = text; }
    void remove(const QString& key) { values_.erase(key); }
    void clear() noexcept { values_.clear(); }

    // Replaces the file with these values; false, with one console line that
    // says why, when that fails: the file on disk is then as it was, and this
    // store keeps its values. A failure whose reason differs from that of the
    // save before (or that follows a save that succeeded) is also announced:
    // StoreNotifier::saveFailed.
    bool save() const;

private:
    explicit SettingsStore(Values values) : values_(std::move(values)) {}
    Values values_;
};

// Where the store lives.
QString settingsStorePath();

// Where stores were set aside since the last call, oldest first: each is
// handed out once, for the user to be told once.
std::vector<QString> takeSetAsideStores();

// Says what befell the store that the user should be told of. Emitted from
// the thread that opened or saved the store; made on first use and kept until
// the process ends.
class StoreNotifier : public QObject {
    Q_OBJECT

public:
    static StoreNotifier& shared();

signals:
    // A store was set aside, each time one is: takeSetAsideStores then hands it out.
    void storeSetAside();
    // A save failed for a reason other than the last save's: the file at
    // `path` is as it was. `reason`: the step and the system's description,
    // "write: No space left on device".
    void saveFailed(const QString& path, const QString& reason);

private:
    StoreNotifier() = default;
};

// Removes what saves killed midway left beside the store: a save gives its
// new file a name of its own ("Vadididod.conf.unfinished-save-" and 16
// hexadecimal digits) and renames it over the store once it is whole. Only
// such files that the program can tell it wrote go (file_replacement.h), and
// only once unchanged for over a minute: a save in flight (of a copy of the
// program that could not take the single-instance lock) is younger. Any other
// file beside the store, of the user's or of older versions, stays. For the
// start of the program, once it knows no other copy of its own runs; says on
// the console how many went.
void removeUnfinishedSaves();

// Removes every stored preference, the first-start marker included.
void resetDefaults();

// The file's text and back. Reading gives none for text that is not such a
// file: not UTF-8, a NUL byte, a line that is neither blank, a comment
// (';' or '#'), a whole "[section]" header nor a `key=value` pair. Keys of
// sections other than [General] are not the program's and are left out.
std::optional<SettingsStore::Values> parseSettingsText(const QByteArray& text);
QByteArray settingsText(const SettingsStore::Values& values);

} // namespace app
