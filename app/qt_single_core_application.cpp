#include "app/qt_single_core_application.h"
#include "app/instance_channel.h"
#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QLockFile>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

QtSingleCoreApplication::QtSingleCoreApplication(int& argc, char** argv)
    : QApplication(argc, argv), m_id(instanceId(applicationFilePath(), currentUser()))
{
}

QtSingleCoreApplication::~QtSingleCoreApplication() = default;

QString QtSingleCoreApplication::currentUser()
{
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

QString QtSingleCoreApplication::instanceId(const QString& executablePath, const QString& user)
{
    QString path = executablePath;
#ifdef Q_OS_WIN
    path = path.toLower();
#endif
    const QByteArray hash = QCryptographicHash::hash((path + QLatin1Char('\n') + user).toUtf8(),
                                                     QCryptographicHash::Sha1);
    return QStringLiteral("halcyon-") + QString::fromLatin1(hash.toHex().left(16));
}

bool QtSingleCoreApplication::isRunning()
{
    if (m_running >= 0)
        return m_running == 1;
    // Held only while deciding; a lock left by a dead process is stale.
    QLockFile lock(QDir::tempPath() + QLatin1Char('/') + m_id + QStringLiteral(".lock"));
    lock.tryLock(10000);
    QLocalSocket probe;
    probe.connectToServer(m_id);
    if (probe.waitForConnected(1000)) {
        probe.abort();
        m_running = 1;
        return true;
    }
    m_server = new InstanceServer(this);
    connect(m_server, &InstanceServer::messageReceived, this, &QtSingleCoreApplication::messageReceived);
    if (!m_server->listen(m_id))
        qWarning("single-instance channel unavailable: %s", qPrintable(m_server->errorString()));
    m_running = 0;
    return false;
}

bool QtSingleCoreApplication::sendMessage(const QString& message, int timeout)
{
    return InstanceChannel::send(m_id, InstanceChannel::frame(InstanceChannel::KindMessage, message.toUtf8()),
                                 timeout) == 1;
}
