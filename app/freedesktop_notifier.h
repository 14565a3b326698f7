#pragma once
#include "app/desktop_notifier.h"
#include <QDBusConnection>

// Sends notices to org.freedesktop.Notifications on a D-Bus connection
// (the session bus for the program). A notice replaces the previous one
// still on screen, so a run of DPI switches shows as one notice. Nothing
// waits for the service: without one, notices are dropped.
class FreedesktopNotifier : public DesktopNotifier {
public:
    explicit FreedesktopNotifier(const QDBusConnection& connection);
    void notify(const QString& title, const QString& text, int timeoutMs) override;
    // A notification service runs, or the bus starts one on demand.
    bool serviceAvailable() override;
    // The service's id of the last notice shown (0: none yet).
    uint lastId() const { return m_lastId; }

    static constexpr const char* Service = "org.freedesktop.Notifications";
    static constexpr const char* Path = "/org/freedesktop/Notifications";
    static constexpr const char* Interface = "org.freedesktop.Notifications";

private:
    QDBusConnection m_connection;
    uint m_lastId = 0;
    // Set once the connection is found missing, so a session without a bus
    // logs it once.
    bool m_reportedMissing = false;
};
