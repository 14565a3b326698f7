#pragma once
#include "settings/pointer_platform.h"
#include <QDBusConnection>
#include <QString>
#include <memory>

// The desktops whose own pointer settings are used; elsewhere X11's.
enum class PointerDesktop { Gnome, Kde, Other };
// From XDG_CURRENT_DESKTOP, a colon-separated list such as "ubuntu:GNOME".
PointerDesktop pointerDesktopFrom(const QString& xdgCurrentDesktop);

// X11: the pointer speed through XInput; no double-click time or wheel
// lines. Without an X display nothing is available.
std::unique_ptr<PointerPlatform> makeX11PointerPlatform();
// GNOME: GSettings org.gnome.desktop.peripherals.mouse (speed, double-click)
// through GIO; GNOME has no wheel-lines setting.
std::unique_ptr<PointerPlatform> makeGnomePointerPlatform();
// KDE Plasma: kcminputrc and kdeglobals under configDir, then the change
// notices Plasma's programs listen to on `bus`.
std::unique_ptr<PointerPlatform> makeKdePointerPlatform(const QString& configDir, const QDBusConnection& bus);
