#include "app/freedesktop_notifier.h"
#include "app/session_bus.h"
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDebug>
#include <QFileInfo>
#include <QPointer>
#include <QVariantMap>

FreedesktopNotifier::FreedesktopNotifier(const QDBusConnection& connection) : m_connection(connection)
{
}

bool FreedesktopNotifier::serviceAvailable()
{
    if (!m_connection.isConnected())
        return false;
    QDBusConnectionInterface* bus = m_connection.interface();
    return bus->isServiceRegistered(QLatin1String(Service))
        || bus->activatableServiceNames().value().contains(QLatin1String(Service));
}

void FreedesktopNotifier::notify(const QString& title, const QString& text, int timeoutMs)
{
    if (!m_connection.isConnected()) {
        if (!m_reportedMissing)
            qDebug() << "No session bus: notice not shown:" << title << text;
        m_reportedMissing = true;
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(Service), QLatin1String(Path),
                                                      QLatin1String(Interface), QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("halcyon"));
    call << QStringLiteral("Halcyon") << m_lastId << QStringLiteral("halcyon") << title << text << QStringList()
         << hints << qint32(timeoutMs);
    auto* watcher = new QDBusPendingCallWatcher(m_connection.asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [this, watcher] {
        const QDBusPendingReply<uint> reply = *watcher;
        if (reply.isValid())
            m_lastId = reply.value();
        else
            qDebug() << "Notification not shown:" << reply.error().message();
        watcher->deleteLater();
    });
}

DesktopNotifier& DesktopNotifier::system()
{
    static FreedesktopNotifier notifier(sessionBusIfAny());
    return notifier;
}
