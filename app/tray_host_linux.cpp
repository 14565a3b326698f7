#include "app/tray_host.h"
#include "app/session_bus.h"
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#ifdef HALCYON_HAVE_XINPUT
#include <X11/Xlib.h>
#endif

namespace {
const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");

bool x11TrayPresent()
{
#ifdef HALCYON_HAVE_XINPUT
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return false;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return false;
    // The tray manager owns the selection _NET_SYSTEM_TRAY_S<screen>.
    const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(DefaultScreen(display));
    const Atom selection = XInternAtom(display, name.constData(), False);
    return XGetSelectionOwner(display, selection) != None;
#else
    return false;
#endif
}

bool statusNotifierHostPresent()
{
    QDBusConnection bus = sessionBusIfAny();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kWatcherService))
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(kWatcherService, kWatcherPath,
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << kWatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(get, QDBus::Block, 5000);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
        && qvariant_cast<QDBusVariant>(reply.arguments().first()).variant().toBool();
}
} // namespace

TrayHostWatch::TrayHostWatch(QObject* parent) : QObject(parent)
{
    QDBusConnection bus = sessionBusIfAny();
    if (!bus.isConnected())
        return;
    auto* watcher = new QDBusServiceWatcher(kWatcherService, bus, QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, &TrayHostWatch::mayHaveAppeared);
    // A host registers with the watcher after the watcher itself appeared.
    bus.connect(kWatcherService, kWatcherPath, kWatcherService, QStringLiteral("StatusNotifierHostRegistered"), this,
                SLOT(hostRegistered()));
}

bool TrayHostWatch::present()
{
    return x11TrayPresent() || statusNotifierHostPresent();
}

void TrayHostWatch::hostRegistered()
{
    emit mayHaveAppeared();
}
