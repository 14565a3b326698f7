// Start folder, suggested name and extension of the exchange dialogs.
#include "app/exchange_files.h"
#include "settings/config_store.h"
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const QString FolderKey = QStringLiteral("common/exchangeFolder");

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
    const QString last = m_config.value(FolderKey).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString ExchangeFiles::suggestedFile(const QString& name, const QString& extension) const
{
    const QString file = fileNameFrom(name);
    return QDir(startFolder()).filePath((file.isEmpty() ? QStringLiteral("export") : file) + extension);
}

QString ExchangeFiles::withExtension(const QString& chosen, const QString& extension)
{
    if (chosen.isEmpty() || chosen.endsWith(extension, Qt::CaseInsensitive))
        return chosen;
    return chosen + extension;
}

void ExchangeFiles::rememberFile(const QString& chosen)
{
    if (!chosen.isEmpty())
        remember(QFileInfo(chosen).absolutePath());
}

void ExchangeFiles::rememberFolder(const QString& chosen)
{
    if (!chosen.isEmpty())
        remember(QFileInfo(QDir::cleanPath(QDir(chosen).absolutePath())).absolutePath());
}

void ExchangeFiles::remember(const QString& folder)
{
    const QString clean = QDir::cleanPath(folder);
    if (m_config.value(FolderKey).toString() != clean)
        m_config.setValue(FolderKey, clean);
}
