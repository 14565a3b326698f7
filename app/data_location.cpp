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

// Macros are recorded keystrokes and may hold passwords: what the program
// makes is the user's alone. Folders that exist keep their permissions.
constexpr QFile::Permissions PrivateFolder =
    QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
constexpr QFile::Permissions PrivateFile = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;

// mkpath() whose new folders are private.
bool makePrivatePath(const QString& path)
{
    const QString clean = QDir::cleanPath(QDir().absoluteFilePath(path));
    if (QFileInfo(clean).isDir())
        return true;
    const QString parent = QFileInfo(clean).path();
    if (parent != clean && !makePrivatePath(parent))
        return false;
    return QDir().mkdir(clean, PrivateFolder) || QFileInfo(clean).isDir();
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
    if (!makePrivatePath(target))
        return -1;
    int copied = 0;
    const QDir from(shipped);
    QDirIterator it(shipped, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString destination = target + QLatin1Char('/') + from.relativeFilePath(source);
        if (QFileInfo::exists(destination))
            continue;
        makePrivatePath(QFileInfo(destination).path());
        if (!QFile::copy(source, destination))
            return -1;
        // Shipped files are read-only once installed; the user's copy is
        // theirs to change, and theirs alone to read.
        QFile::setPermissions(destination, PrivateFile);
        ++copied;
    }
    // Empty shipped folders (the macro library) exist in the user's tree too.
    QDirIterator dirs(shipped, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (dirs.hasNext())
        makePrivatePath(target + QLatin1Char('/') + from.relativeFilePath(dirs.next()));
    return copied;
}
