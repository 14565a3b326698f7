#include "settings/file_replace.h"
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

bool readWholeFile(const QString& path, QByteArray& content)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return false;
    content = file.readAll();
    return file.error() == QFileDevice::NoError;
}

bool writeFileAtomically(const QString& path, const QByteArray& content)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void flushSettings(QSettings& handle)
{
    handle.sync();
}

bool replaceSettingsFile(QSettings& handle, const QByteArray& content)
{
    const QString path = handle.fileName();
    flushSettings(handle);
    const QFileInfo before(path);
    const bool existed = before.exists();
    const qint64 oldSize = before.size();
    const QDateTime oldTime = before.lastModified();
    if (!writeFileAtomically(path, content))
        return false;
    // A settings handle re-reads its file when the file's size or
    // modification time differs from what it last saw. A replacement of the
    // same size written within the same clock tick would go unnoticed, so
    // its time is moved on until it differs.
    if (existed) {
        for (qint64 step : {qint64(1), qint64(1000), qint64(2000)}) {
            const QFileInfo after(path);
            if (after.size() != oldSize || after.lastModified() != oldTime)
                break;
            QFile file(path);
            if (!file.open(QIODevice::ReadWrite))
                break;
            file.setFileTime(oldTime.addMSecs(step), QFileDevice::FileModificationTime);
        }
    }
    handle.sync();
    return true;
}
