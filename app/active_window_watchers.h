#pragma once
#include <QString>

class ActiveWindowWatcher;
class QDBusConnection;
class QObject;

// The implementations behind ActiveWindowWatcher::current(), one file each.
// The session's is picked by active_window_watcher_linux.cpp (or _win.cpp).

// The session's watcher (active_window_watcher_linux.cpp, _win.cpp).
ActiveWindowWatcher* createSessionWindowWatcher(QObject* parent);

// X11: the root window's _NET_ACTIVE_WINDOW, by property-change events
// (active_window_watcher_x11_linux.cpp).
ActiveWindowWatcher* createX11WindowWatcher(QObject* parent);
// KDE Plasma on Wayland: a KWin script that reports activated windows over
// the session bus (active_window_watcher_kwin_linux.cpp).
ActiveWindowWatcher* createKWinWindowWatcher(QObject* parent);
// The same on another bus (tests: a private bus with a stand-in KWin).
ActiveWindowWatcher* createKWinWindowWatcher(const QDBusConnection& bus, QObject* parent);
// A session whose window in front cannot be followed: reports nothing and
// says why (active_window_watcher.cpp).
ActiveWindowWatcher* createUnavailableWindowWatcher(const QString& reason, QObject* parent);
