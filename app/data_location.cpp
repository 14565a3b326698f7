#include "app/data_location.h"
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {
QString installedModules(const QString& exeDir)
{
    return QDir::cleanPath(exeDir + QStringLiteral("/../share/halcyon/modules"));
}
} // namespace

DataLocation resolveDataLocation(const QString& exeDir, const QString& xdgDataHome)
{
    const QFileInfo besideExe(exeDir + QStringLiteral("/modules"));
    if (besideExe.isDir() && besideExe.isWritable())
        return {exeDir, QString()};

    QString shipped = installedModules(exeDir);
    if (!QFileInfo(shipped).isDir())
        shipped = besideExe.filePath();  // a read-only portable copy
    const QString dataHome = xdgDataHome.isEmpty()
        ? QDir::homePath() + QStringLiteral("/.local/share")
        : xdgDataHome;
    return {QDir::cleanPath(dataHome + QStringLiteral("/halcyon")), shipped};
}

int seedUserData(const QString& shipped, const QString& target)
{
    if (!QDir().mkpath(target))
        return -1;
    int copied = 0;
    const QDir from(shipped);
    QDirIterator it(shipped, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString destination = target + QLatin1Char('/') + from.relativeFilePath(source);
        if (QFileInfo::exists(destination))
            continue;
        QDir().mkpath(QFileInfo(destination).path());
        if (!QFile::copy(source, destination))
            return -1;
        // Shipped files are read-only once installed; the user's copy is theirs to change.
        QFile::setPermissions(destination, QFile::permissions(destination) | QFile::WriteOwner | QFile::ReadOwner);
        ++copied;
    }
    // Empty shipped folders (the macro library) exist in the user's tree too.
    QDirIterator dirs(shipped, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (dirs.hasNext())
        QDir().mkpath(target + QLatin1Char('/') + from.relativeFilePath(dirs.next()));
    return copied;
}
