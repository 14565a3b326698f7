#include "app/process_names_linux.h"
#include <QFile>
#include <QFileInfo>

QString executableNameOf(qint64 pid)
{
    if (pid <= 0)
        return {};
    const QString proc = QStringLiteral("/proc/%1/").arg(pid);
    // The link names the program file even when it was started through a
    // link of another name; a replaced file reads "NAME (deleted)".
    QString target = QFileInfo(proc + QStringLiteral("exe")).symLinkTarget();
    if (target.endsWith(QLatin1String(" (deleted)")))
        target.chop(10);
    if (!target.isEmpty())
        return QFileInfo(target).fileName();
    // Another user's process: its exe link is closed, its comm (the first
    // 15 bytes of the name) is not.
    QFile comm(proc + QStringLiteral("comm"));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(comm.readLine(64)).trimmed();
}
