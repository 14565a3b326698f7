#include "app/qt_single_core_application.h"
#include "app/instance_channel.h"
#include "app/instance_folder.h"
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLockFile>
#include <QThread>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
// Simultaneous starts wait at most this long for each other's decision.
constexpr int DecisionLockMs = 10000;

#ifdef Q_OS_UNIX
// The lock that serialises simultaneous starts: an flock on a file in the
// user's instance folder. The kernel releases it when its holder dies, so a
// lock left by a crashed instance never delays a start. A file there that
// is not this user's own plain file is removed and made anew.
class DecisionLock {
public:
    explicit DecisionLock(const QString& path)
    {
        const QByteArray name = QFile::encodeName(path);
        for (int attempt = 0; attempt < 2 && m_fd < 0; ++attempt) {
            const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
            struct stat st = {};
            if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::getuid()) {
                m_fd = fd;
                break;
            }
            if (fd >= 0)
                ::close(fd);
            qWarning("instance lock %s was not this user's plain file; removed", name.constData());
            ::unlink(name.constData());
        }
        if (m_fd < 0)
            return;
        const QDeadlineTimer deadline(DecisionLockMs);
        while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0 && !deadline.hasExpired())
            QThread::msleep(20);
    }
    ~DecisionLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    DecisionLock(const DecisionLock&) = delete;
    DecisionLock& operator=(const DecisionLock&) = delete;

private:
    int m_fd = -1;
};
#else
class DecisionLock {
public:
    explicit DecisionLock(const QString& path) : m_lock(path) { m_lock.tryLock(DecisionLockMs); }

private:
    QLockFile m_lock;
};
#endif
} // namespace

QtSingleCoreApplication::QtSingleCoreApplication(int& argc, char** argv)
    : QApplication(argc, argv), m_id(instanceId(applicationFilePath(), currentUser()))
{
    m_socketPath = socketPathFor(m_id, &m_folderProblem);
}

QString QtSingleCoreApplication::socketPath() const
{
    return m_socketPath;
}

QString QtSingleCoreApplication::socketPathFor(const QString& id, QString* problem)
{
    const QString folder = InstanceFolder::path(problem);
    if (!problem->isEmpty())
        return QString();
    return folder.isEmpty() ? id : folder + QLatin1Char('/') + id;
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
    m_running = 0;
    if (m_socketPath.isEmpty()) {
        // Another user holds (or can enter) the folder: nothing there is
        // trusted, and this instance runs on its own.
        qWarning("%s: %s; running without the single-instance check",
                 qPrintable(QCoreApplication::applicationName()), qPrintable(m_folderProblem));
        return false;
    }
    // Held only while deciding.
    DecisionLock lock(m_socketPath + QStringLiteral(".lock"));
    qint64 peerUid = -1;
    switch (InstanceChannel::probe(m_socketPath, 1000, &peerUid)) {
    case InstanceChannel::Listener::Ours:
        m_running = 1;
        return true;
    case InstanceChannel::Listener::Impostor:
        qWarning("%s: the instance socket %s was held by another user (uid %lld); it was removed and this "
                 "instance runs",
                 qPrintable(QCoreApplication::applicationName()), qPrintable(m_socketPath),
                 static_cast<long long>(peerUid));
        QLocalServer::removeServer(m_socketPath);
        break;
    case InstanceChannel::Listener::Nobody:
        break;
    }
    m_server = new InstanceServer(this);
    connect(m_server, &InstanceServer::messageReceived, this, &QtSingleCoreApplication::messageReceived);
    if (!m_server->listen(m_socketPath))
        qWarning("single-instance channel unavailable: %s", qPrintable(m_server->errorString()));
    return false;
}

bool QtSingleCoreApplication::sendMessage(const QString& message, int timeout)
{
    if (m_socketPath.isEmpty())
        return false;
    return InstanceChannel::send(m_socketPath, InstanceChannel::frame(InstanceChannel::KindMessage, message.toUtf8()),
                                 timeout) == 1;
}
