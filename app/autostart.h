#pragma once
#include <QString>

// Starting with the desktop session, the freedesktop way: a desktop entry in
// $XDG_CONFIG_HOME/autostart (by default ~/.config/autostart).
namespace Autostart {
QString entryPath();
bool isEnabled();
// Writes the entry starting `executable`, or removes it. False when the
// file could not be written or removed.
bool setEnabled(bool enabled, const QString& executable);
}
