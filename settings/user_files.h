#pragma once
#include <QByteArray>
#include <QString>

// Files the user names for import and export, outside the program's data.
// Only regular files are read or written: a device, FIFO, socket or folder
// is refused by what the opened file is, not by its name. Reads stop at the
// limit counted in bytes actually read (a device or a /proc file reports a
// size that says nothing). Writes never go through a symbolic link, and
// replace an existing file only when the caller says the user confirmed it.
namespace UserFiles {

enum class Read { Ok, NotRegular, TooLarge, Unreadable };

// Reads path whole if it is a regular file of at most maxBytes. A FIFO is
// refused without waiting for a writer; a file whose content does not match
// its size (those of /proc and /sys) counts as no regular file.
Read readImport(const QString& path, qint64 maxBytes, QByteArray& content);

// Why path may not be written as an export target, or empty when it may:
// a symbolic link (dangling or not), anything but a regular file, or an
// existing file where replacing was not confirmed.
QString exportRefusal(const QString& path, bool mayReplace);

// Writes content to path. A new file is created exclusively (0600, never
// through a link); an existing regular file, when mayReplace, is replaced by
// a file written beside it and renamed over it, keeping its permissions, so
// that a link put at the name meanwhile is replaced, not followed. On
// failure nothing at path has changed and reason says why.
bool writeExport(const QString& path, const QByteArray& content, bool mayReplace, QString& reason);

// writeExport() for a target the user chose in the save dialog (which asked
// before replacing a file); every failure is told to the user.
bool exportOrWarn(const QString& path, const QByteArray& content);

// Whether the regular file at path holds exactly `expected`; reads no more
// than one byte past its size.
bool holds(const QString& path, const QByteArray& expected);

} // namespace UserFiles
