#pragma once
// The per-user defaults store: QSettings in its native format, in the user's
// XDG configuration folder ($XDG_CONFIG_HOME/Tarnwick/Vadididod.conf).
//
// A store file that exists but cannot be read (an access error, or a format
// error anywhere in it) is never written over: it is moved aside under a new
// name first, with a line on the console, and the program goes on with an
// empty store. If it cannot even be moved, the store is not opened at all and
// nothing is written.

#include <QSettings>
#include <QString>

#include <memory>

namespace app {

inline constexpr auto SettingsOrganization = "Tarnwick";
inline constexpr auto SettingsApplication = "Vadididod";

// The store, read afresh; none when a damaged store file could not be set aside.
std::unique_ptr<QSettings> openSettingsStore();

// Where the store lives.
QString settingsStorePath();

// Writes pending changes to disk; false, with a console line, when that fails.
bool syncSettingsStore(QSettings& store);

// Removes every stored preference, the first-start marker included.
void resetDefaults();

} // namespace app
