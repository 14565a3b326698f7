#include "app/instance_folder.h"
#include <QDir>
#include <QFile>
#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace InstanceFolder {

#ifdef Q_OS_UNIX
qint64 ownUid()
{
    return qint64(::getuid());
}

qint64 peerUid(qintptr socketDescriptor)
{
    if (socketDescriptor < 0)
        return -1;
#if defined(SO_PEERCRED)
    struct ucred cred = {};
    socklen_t length = sizeof(cred);
    if (::getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &cred, &length) != 0)
        return -1;
    return qint64(cred.uid);
#else
    uid_t uid = 0;
    gid_t gid = 0;
    if (::getpeereid(int(socketDescriptor), &uid, &gid) != 0)
        return -1;
    return qint64(uid);
#endif
}

bool peerIsSameUser(qintptr socketDescriptor)
{
    // A peer whose user cannot be told is not trusted.
    return peerUid(socketDescriptor) == ownUid();
}

QString problemWith(const QString& dir)
{
    struct stat st = {};
    if (::lstat(QFile::encodeName(dir).constData(), &st) != 0)
        return QStringLiteral("%1 cannot be used: %2").arg(dir, QString::fromLocal8Bit(std::strerror(errno)));
    if (!S_ISDIR(st.st_mode))
        return QStringLiteral("%1 is not a folder").arg(dir);
    if (qint64(st.st_uid) != ownUid())
        return QStringLiteral("%1 belongs to another user (uid %2)").arg(dir).arg(st.st_uid);
    if (st.st_mode & 077)
        return QStringLiteral("%1 is open to other users (mode %2, must be 0700)")
            .arg(dir)
            .arg(st.st_mode & 07777, 4, 8, QLatin1Char('0'));
    return QString();
}

QString path(QString* problem)
{
    problem->clear();
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime)) {
        const QString why = problemWith(runtime);
        if (why.isEmpty())
            return runtime;
        qWarning("XDG_RUNTIME_DIR not used for the instance channel: %s", qPrintable(why));
    }
    const QString dir = QDir::tempPath() + QStringLiteral("/halcyon-") + QString::number(ownUid());
    // Created closed to others; one that exists already must be ours and closed.
    if (::mkdir(QFile::encodeName(dir).constData(), 0700) != 0 && errno != EEXIST) {
        *problem = QStringLiteral("%1 cannot be created: %2").arg(dir, QString::fromLocal8Bit(std::strerror(errno)));
        return QString();
    }
    *problem = problemWith(dir);
    return problem->isEmpty() ? dir : QString();
}
#else
qint64 ownUid()
{
    return -1;
}
qint64 peerUid(qintptr)
{
    return -1;
}
bool peerIsSameUser(qintptr)
{
    // Named pipes are guarded by their access list.
    return true;
}
QString problemWith(const QString&)
{
    return QString();
}
QString path(QString* problem)
{
    problem->clear();
    return QString();
}
#endif

} // namespace InstanceFolder
