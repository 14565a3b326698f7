#include "settings/import_limit.h"
#include "settings/user_files.h"
#include "settings/user_warnings.h"
#include <QDebug>
#include <QDir>
#include <QFileInfo>

namespace ImportLimit {

bool allows(const QString& path)
{
    const qint64 size = QFileInfo(path).size();
    if (size <= MaxBytes)
        return true;
    qDebug().noquote() << "import refused:" << path << "has" << size << "bytes, more than" << MaxBytes;
    return false;
}

QString refusalText(const QString& path)
{
    return QStringLiteral("%1 is larger than 1 MiB and was not imported.")
        .arg(QDir::toNativeSeparators(QFileInfo(path).fileName()));
}

bool allowsOrWarn(const QString& path)
{
    if (allows(path))
        return true;
    UserWarnings::show(QStringLiteral("Import"), refusalText(path));
    return false;
}

bool readOrWarn(const QString& path, QByteArray& content)
{
    const QString name = QDir::toNativeSeparators(QFileInfo(path).fileName());
    QString text;
    switch (UserFiles::readImport(path, MaxBytes, content)) {
    case UserFiles::Read::Ok:
        return true;
    case UserFiles::Read::TooLarge:
        text = refusalText(path);
        break;
    case UserFiles::Read::NotRegular:
        text = QStringLiteral("%1 is not a regular file and was not imported.").arg(name);
        break;
    case UserFiles::Read::Unreadable:
        text = QStringLiteral("%1 could not be read and was not imported.").arg(name);
        break;
    }
    qDebug().noquote() << "import refused:" << path;
    UserWarnings::show(QStringLiteral("Import"), text);
    return false;
}

} // namespace ImportLimit
