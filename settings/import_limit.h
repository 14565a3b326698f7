#pragma once
#include <QString>

// Files the user imports (profiles, macros) are small INI texts; anything
// above this size is refused before it is read, so that a wrong or hostile
// file cannot stall the program or fill the data folder.
namespace ImportLimit {

constexpr qint64 MaxBytes = 1024 * 1024;

// True when the file at path is within the limit. Otherwise logs the refusal
// and returns false.
bool allows(const QString& path);
// The message the user is shown for a refused file.
QString refusalText(const QString& path);
// allows(), and on refusal a warning to the user with refusalText().
bool allowsOrWarn(const QString& path);

// Reads a file the user chose to import: a regular file of at most MaxBytes
// (counted as read). Otherwise warns the user why it was not imported and
// returns false.
bool readOrWarn(const QString& path, QByteArray& content);

} // namespace ImportLimit
