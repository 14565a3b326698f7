#pragma once
#include <QByteArray>
#include <QString>

class QSettings;

// Whole-file operations on settings files that never leave a file missing or
// half written: the new content goes to a file beside the target and is then
// renamed over it, so a failure leaves the old file whole.

// Reads a whole file; false when it cannot be opened or read.
bool readWholeFile(const QString& path, QByteArray& content);

// Writes content to path by writing beside it and renaming over it. On
// failure the old file stays as it was, the user is warned (once per file)
// and false is returned.
bool writeFileAtomically(const QString& path, const QByteArray& content);
// The same without the warning; reason says why it failed.
bool writeFileAtomically(const QString& path, const QByteArray& content, QString& reason);

// Writes the pending changes of a settings handle to its file and tells
// whether that worked; a failure is reported to the user as above. A handle
// that failed once keeps reporting failure (the settings class remembers its
// first error), so this is meant for handles opened for one operation.
// After a failure the handle (and every other handle on the file) reads
// what the file holds again, not the changes that could not be saved.
bool syncSettings(QSettings& handle);

// Makes the handle's keys and values those of its file on disk.
void revertToDisk(QSettings& handle);

// Renames a file or folder; a failure is reported to the user as above.
bool renameChecked(const QString& from, const QString& to);

// Flushes the pending writes of handle (and of every other handle on the same
// file in this process) to its file, so that nothing written earlier can land
// on top of new content later. Checked as every write of a long-lived handle
// is: false (the user warned, the changes kept for a later try) on failure.
bool flushSettings(QSettings& handle);

// Replaces the file of an open settings handle with content and makes the
// handle - and every other handle on the same file in this process - read
// the new content at once. Pending writes made before the call go to the old
// content first and are replaced with it. False (and nothing changed) when
// the new file cannot be written.
bool replaceSettingsFile(QSettings& handle, const QByteArray& content);
