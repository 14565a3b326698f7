#pragma once
#include <QString>
#include <QStringList>

// KDE's configuration files (kdeglobals, kcminputrc) in their own syntax:
// group headers such as "[Mouse]" or "[Libinput][1133][49291][Name]", keys
// with flags such as "Key[$e]". QSettings would rewrite such a file in its
// own syntax, so these edit single lines and keep all others as they are.

// The groups in the file, as written between the outer brackets
// ("Libinput][1133][49291][Name" for the example above).
QStringList kdeConfigGroups(const QString& path);
// Sets key=value in the group, adding the group or the file when missing.
// A key marked immutable ("[$i]") is left alone and reported as false, as is
// a failed write.
bool setKdeConfigValue(const QString& path, const QString& group, const QString& key, const QString& value);
// The value of key in the group, or a null string.
QString kdeConfigValue(const QString& path, const QString& group, const QString& key);
