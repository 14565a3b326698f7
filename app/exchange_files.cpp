// Start folder, suggested name and extension of the exchange dialogs.
#include "app/exchange_files.h"
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
// Characters no file name on the supported systems may hold become "_".
QString fileNameFrom(const QString& name)
{
    QString n = name.trimmed();
    for (QChar& c : n) {
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    }
    return n;
}
} // namespace

QString ExchangeFiles::startFolder() const
{
    if (!m_lastFolder.isEmpty() && QFileInfo(m_lastFolder).isDir())
        return m_lastFolder;
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString ExchangeFiles::suggestedFile(const QString& name, const QString& extension) const
{
    const QString file = fileNameFrom(name);
    return QDir(startFolder()).filePath((file.isEmpty() ? QStringLiteral("export") : file) + extension);
}

QString ExchangeFiles::withExtension(const QString& chosen, const QString& extension)
{
    // A name that is already there (the dialog asked before replacing it,
    // and the export refuses what is no regular file) is kept as chosen:
    // "/dev/zero" must not become a new "/dev/zero.pf" beside the device.
    const QFileInfo info(chosen);
    if (chosen.isEmpty() || chosen.endsWith(extension, Qt::CaseInsensitive) || info.exists() || info.isSymLink())
        return chosen;
    return chosen + extension;
}

void ExchangeFiles::rememberFile(const QString& chosen)
{
    if (!chosen.isEmpty())
        m_lastFolder = QDir::cleanPath(QFileInfo(chosen).absolutePath());
}

void ExchangeFiles::rememberFolder(const QString& chosen)
{
    if (!chosen.isEmpty())
        m_lastFolder = QFileInfo(QDir::cleanPath(QDir(chosen).absolutePath())).absolutePath();
}
