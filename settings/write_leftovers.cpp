#include "settings/write_leftovers.h"
#include "settings/write_failures.h"
#include <QDebug>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>

namespace {
// The settings files are named *.bin and *.ini; their temporary files add a
// dot and six letters or digits, their locks ".lock".
const QRegularExpression& temporaryName()
{
    static const QRegularExpression re(QStringLiteral("^.+\\.(bin|ini)\\.[A-Za-z0-9]{6}$"));
    return re;
}
const QRegularExpression& lockName()
{
    static const QRegularExpression re(QStringLiteral("^.+\\.(bin|ini)\\.lock$"));
    return re;
}
} // namespace

int removeWriteLeftovers(const QString& modulesDir)
{
    int removed = 0;
    QDirIterator it(modulesDir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = it.fileName();
        bool gone = false;
        if (temporaryName().match(name).hasMatch()) {
            gone = QFile::remove(path);
        } else if (lockName().match(name).hasMatch()) {
            // A lock whose owner is gone is stale: taking it removes the old
            // one, releasing it removes the file.
            QLockFile lock(path);
            if (lock.tryLock(0)) {
                lock.unlock();
                gone = !QFileInfo::exists(path);
            }
        }
        if (gone) {
            qDebug().noquote() << "removed the leftover" << path;
            ++removed;
        }
    }
    return removed;
}

bool checkDataFolderWritable(const QString& modulesDir)
{
    QStringList folders{modulesDir};
    QDirIterator it(modulesDir, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        folders << it.next();
    for (const QString& folder : folders) {
        const QFileInfo info(folder);
        if (info.exists() && !info.isWritable()) {
            WriteFailures::record(folder, QStringLiteral("the folder is read-only, so changes cannot be saved"));
            return false;
        }
    }
    return true;
}
