#include "settings/import_limit.h"
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

} // namespace ImportLimit
