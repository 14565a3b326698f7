#include "app/session_bus.h"
#include <QFileInfo>

namespace {
bool sessionHasBus()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return qgetenv("DBUS_SESSION_BUS_ADDRESS") != "disabled:";
    return !qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")
        && QFileInfo::exists(qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus"));
}
} // namespace

QDBusConnection sessionBusIfAny()
{
    if (!sessionHasBus())
        return QDBusConnection(QStringLiteral("halcyon-no-session-bus"));
    return QDBusConnection::sessionBus();
}

void disableSessionBusAutolaunch()
{
    // An address of a kind no library knows connects nowhere; only an unset
    // address makes them start a bus.
    if (!sessionHasBus())
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}
