#include "macros/folder_removal.h"
#include <QDir>
#include <QFile>

namespace FolderRemoval {

bool mayRemove(const QFileInfo& entry)
{
    return entry.isReadable() && entry.isWritable();
}

bool removeFolderTree(const QString& dir, const std::function<bool(const QFileInfo&)>& removable)
{
    if (QFileInfo(dir).isSymLink())
        return QFile::remove(dir);
    bool emptied = true;
    const QFileInfoList entries = QDir(dir).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo& e : entries) {
        if (e.isSymLink())
            emptied = QFile::remove(e.absoluteFilePath()) && emptied;
        else if (!removable(e))
            emptied = false;
        else if (e.isDir())
            emptied = removeFolderTree(e.absoluteFilePath(), removable) && emptied;
        else
            emptied = QFile::remove(e.absoluteFilePath()) && emptied;
    }
    return emptied && QDir().rmdir(dir);
}

}
