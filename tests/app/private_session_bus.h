// A private session bus (its own dbus-daemon) for tests of the program's
// D-Bus clients and services; stopped with the object.
#pragma once
#include <QProcess>
#include <QString>

class PrivateSessionBus {
public:
    ~PrivateSessionBus()
    {
        m_daemon.kill();
        m_daemon.waitForFinished(5000);
    }
    // Starts the daemon and returns its address; empty when dbus-daemon
    // cannot run here (Debian package dbus-daemon).
    QString start()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--print-address"), QStringLiteral("--nofork")});
        if (!m_daemon.waitForStarted(60000) || !m_daemon.waitForReadyRead(60000))
            return {};
        return QString::fromUtf8(m_daemon.readLine()).trimmed();
    }

private:
    QProcess m_daemon;
};
