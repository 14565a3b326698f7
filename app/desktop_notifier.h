#pragma once
#include <QString>

// Notices for the user when no tray icon is on show to carry them as
// balloons ("Detect Device", DPI switches, the permission notice). On Linux
// they go to the desktop's notification service; Windows always has a tray.
class DesktopNotifier {
public:
    virtual ~DesktopNotifier() = default;
    virtual void notify(const QString& title, const QString& text, int timeoutMs) = 0;
    // Whether the desktop's notification service is there to show notices.
    // Where it is, every notice goes to it, tray or not, so that they all
    // carry the same application name and icon; a tray balloon is for
    // desktops without one.
    virtual bool serviceAvailable() { return false; }

    // The implementation in use: the system's unless a test or a tool has
    // installed another one (null restores the system's).
    static DesktopNotifier& current();
    static void install(DesktopNotifier* notifier);
    static DesktopNotifier& system();
};
