#pragma once
#include <QByteArray>
#include <QString>

// The KWin script that tells Halcyon which window is in front. KWin runs it
// inside the compositor; it calls back over the session bus, method
// `activated` with one window and `windows` with all normal windows, each
// as one JSON text:
//   {"class": resourceClass, "name": resourceName, "pid": N,
//    "caption": caption, "desktopFile": desktopFileName}
// (`windows` sends an array of them). Plain strings travel the same way on
// every KWin version, whatever D-Bus types its callDBus would pick for
// numbers or arrays.
//
// What of KWin's scripting API it relies on:
//   globals     workspace, callDBus(service, path, interface, method, args...)
//   KWin 6      workspace.windowActivated, windowAdded, windowRemoved (signals
//               with the window), workspace.windowList(), workspace.activeWindow
//   KWin 5      workspace.clientActivated, clientAdded, clientRemoved,
//               workspace.clientList(), workspace.activeClient
//   a window    resourceClass, resourceName (strings, or byte arrays that
//               arrive as ArrayBuffer), pid, caption, desktopFileName,
//               normalWindow
// plus JSON.stringify of the script engine.
QByteArray kwinWindowScript(const QString& service, const QString& path, const QString& interface);
