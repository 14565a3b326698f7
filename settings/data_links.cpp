#include "settings/data_links.h"
#include <QDir>
#include <QFileInfo>

namespace DataLinks {

namespace {
bool isInside(const QString& path, const QString& folder)
{
    return path.startsWith(folder + QLatin1Char('/'));
}
} // namespace

QString escapeReason(const QString& path)
{
    const QDir current = QDir::current();
    const QString root = QDir::cleanPath(current.absoluteFilePath(QStringLiteral("modules")));
    const QString file = QDir::cleanPath(current.absoluteFilePath(path));
    if (!isInside(file, root))
        return QString();
    const QString realRoot = QFileInfo(root).canonicalFilePath();
    if (realRoot.isEmpty())
        return QString();
    const QFileInfo info(file);
    // Where the write lands: the file a link leads to, or for a new file
    // (or a dangling link) the real folder it is made in.
    QString real = info.canonicalFilePath();
    if (real.isEmpty()) {
        const QFileInfo made(info.isSymLink() ? info.symLinkTarget() : file);
        const QString folder = QFileInfo(made.absolutePath()).canonicalFilePath();
        if (folder.isEmpty())
            return QString();  // no such folder: the write fails on its own
        real = folder + QLatin1Char('/') + made.fileName();
    }
    if (isInside(real, realRoot))
        return QString();
    return QStringLiteral("it is a link to %1, outside the data folder").arg(QDir::toNativeSeparators(real));
}

} // namespace DataLinks
