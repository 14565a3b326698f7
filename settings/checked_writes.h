#pragma once
#include <QString>

class QSettings;

// Writes of the settings handles that stay open for the program's whole life
// (the configuration and the profiles), checked. Such a handle writes its
// file by itself when control returns to the event loop, and the settings
// class gives up silently when it cannot even create its lock file (a full
// disk, a read-only folder): without a check an edit would be shown, then
// lost at the next start.
namespace CheckedWrites {

// Routes the handle's own deferred write-back through sync() below.
void watch(QSettings& handle);

// Writes the handle's pending changes and checks the outcome: the settings
// object's status, and whether the file on disk holds what the handle holds.
// A failure warns the user (once per file, as every failed write does) and
// keeps the changes in the handle, so that the next sync tries them again;
// false is returned, with the reason when asked for.
bool sync(QSettings& handle, QString* reason = nullptr);

// Whether the file on disk holds the handle's keys and values.
bool diskHolds(QSettings& handle);

} // namespace CheckedWrites
