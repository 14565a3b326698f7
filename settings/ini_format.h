#pragma once
#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QVariant>
#include <memory>

// The INI convention every settings file of the program uses. All code opens
// settings files through openIni(), never with QSettings::IniFormat directly.
//
// What it writes (and what programs reading this INI convention expect):
// - one section per group, "[General]" for keys without a group, a group
//   literally named General as "[%General]"; section and key names escaped
//   as %XX / %UXXXX, a slash inside a key as a backslash;
// - strings and numbers as text, booleans as "true"/"false";
// - string lists, and variant lists of any length but one, as their items
//   joined by ", "; an empty list as "@Invalid()"; a one-item string list
//   exactly like a plain value;
// - a value containing , ; or = inside double quotes; backslash and double
//   quote escaped by a backslash; control characters and every character
//   outside printable ASCII as \x and the hexadecimal code of its UTF-16
//   unit, with a following hexadecimal digit escaped too, so that readers
//   that take every hex digit after \x do not swallow it.
// Reading accepts all of that and also raw UTF-8 (as Qt 6's own INI writer
// produces); bytes that are not valid UTF-8 are taken as Latin-1.
// Sections and keys are written in a stable natural order: General first,
// then groups and keys sorted with digit runs compared by value.
QSettings::Format halcyonIniFormat();
std::unique_ptr<QSettings> openIni(const QString& path);

// The documented list reading of a settings value: a stored list of two or
// more items comes back whole, every item as a string; anything else (an
// absent key, a plain value - which is how a one-item string list reads back)
// is an empty list, and so is a one-item string list still held in memory.
// A list stored in binary form (a one-item variant list) comes back as it is.
QVariantList iniList(const QVariant& value);

// The text layer, exposed for tests and tools.
namespace IniText {
QByteArray write(const QSettings::SettingsMap& map);
bool read(const QByteArray& text, QSettings::SettingsMap& map);
// One value as it appears right of the "=".
QByteArray escapeValue(const QVariant& value);
QVariant unescapeValue(const QByteArray& text);
QByteArray escapeKey(const QString& key);
QString unescapeKey(const QByteArray& key);
} // namespace IniText
