#include "app/autostart.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace Autostart {

QString entryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/autostart/halcyon.desktop");
}

bool isEnabled()
{
    return QFileInfo::exists(entryPath());
}

bool setEnabled(bool enabled, const QString& executable)
{
    const QString path = entryPath();
    if (!enabled)
        return !QFileInfo::exists(path) || QFile::remove(path);
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    // Exec takes a quoted path so that folders with blanks work; TryExec is
    // a plain string, where only the backslash is escaped. TryExec makes the
    // session skip the entry once the program is gone (a purged package).
    QString plain = executable;
    plain.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    QString quoted = executable;
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
    const QString entry = QStringLiteral(
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=Halcyon\n"
        "Comment=Keeps the HALCYON gaming mouse settings at hand in the tray\n"
        "TryExec=%2\n"
        "Exec=\"%1\" --tray\n"
        "Icon=halcyon\n"
        "Terminal=false\n"
        "X-GNOME-Autostart-enabled=true\n").arg(quoted, plain);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(entry.toUtf8());
    return file.commit();
}

} // namespace Autostart
