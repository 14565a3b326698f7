#pragma once
#include <QDBusConnection>

// The session bus, where the session has one: its address in the
// environment or the per-user socket. Otherwise a connection that is not
// connected: asking for the session bus then would have D-Bus start a bus
// of its own (dbus-launch), which no desktop listens on and which outlives
// the program.
QDBusConnection sessionBusIfAny();
// Tells the D-Bus libraries in this process (Qt's, GIO's) that there is no
// session bus when the session has none, so that none of them starts one.
void disableSessionBusAutolaunch();
