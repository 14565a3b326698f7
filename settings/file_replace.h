#pragma once
#include <QByteArray>
#include <QString>

class QSettings;

// Whole-file operations on settings files that never leave a file missing or
// half written: the new content goes to a file beside the target and is then
// renamed over it, so a failure leaves the old file whole.

// Reads a whole file; false when it cannot be opened or read.
bool readWholeFile(const QString& path, QByteArray& content);

// Writes content to path by writing beside it and renaming over it.
bool writeFileAtomically(const QString& path, const QByteArray& content);

// Flushes the pending writes of handle (and of every other handle on the same
// file in this process) to its file, so that nothing written earlier can land
// on top of new content later.
void flushSettings(QSettings& handle);

// Replaces the file of an open settings handle with content and makes the
// handle - and every other handle on the same file in this process - read
// the new content at once. Pending writes made before the call go to the old
// content first and are replaced with it. False (and nothing changed) when
// the new file cannot be written.
bool replaceSettingsFile(QSettings& handle, const QByteArray& content);
