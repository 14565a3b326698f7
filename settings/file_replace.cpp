#include "settings/file_replace.h"
#include "settings/checked_writes.h"
#include "settings/data_links.h"
#include "settings/file_faults.h"
#include "settings/ini_format.h"
#include "settings/write_failures.h"
#include <QDateTime>
#include <QDir>
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
    QString reason;
    if (!writeFileAtomically(path, content, reason)) {
        WriteFailures::record(path, reason);
        return false;
    }
    WriteFailures::cleared(path);
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& content, QString& reason)
{
    using FileFaults::Step;
    reason = DataLinks::escapeReason(path);
    if (!reason.isEmpty())
        return false;
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        reason = file.errorString();
        return false;
    }
    auto fail = [&file](const QString& why, QString& out) {
        out = why.isEmpty() ? file.errorString() : why;
        file.cancelWriting();
        return false;
    };
    if (FileFaults::failsNow(Step::Write, reason) || file.write(content) != content.size())
        return fail(reason, reason);
    // The data must have left the write buffer before the commit: a commit
    // with data still buffered can report success for a write that never
    // reached the disk, leaving the target empty.
    if (FileFaults::failsNow(Step::Flush, reason) || !file.flush())
        return fail(reason, reason);
    if (FileFaults::failsNow(Step::Commit, reason) || FileFaults::failsNow(Step::Rename, reason))
        return fail(reason, reason);
    if (!file.commit()) {
        reason = file.errorString();
        return false;
    }
    return true;
}

bool renameChecked(const QString& from, const QString& to)
{
    QString reason;
    if (!FileFaults::failsNow(FileFaults::Step::Rename, reason)) {
        if (QFileInfo(from).isDir() ? QDir().rename(from, to) : QFile::rename(from, to)) {
            WriteFailures::cleared(from);
            return true;
        }
        reason = QFileInfo(to).exists() ? QStringLiteral("the new name is taken")
                                        : QStringLiteral("it could not be renamed");
    }
    WriteFailures::record(from, reason);
    return false;
}

bool flushSettings(QSettings& handle)
{
    return CheckedWrites::sync(handle);
}

bool syncSettings(QSettings& handle)
{
    const QString path = handle.fileName();
    WriteFailures::takeWriterError(path);   // a stale one from an earlier write
    handle.sync();
    QString reason = WriteFailures::takeWriterError(path);
    if (reason.isEmpty() && handle.status() == QSettings::NoError) {
        WriteFailures::cleared(path);
        return true;
    }
    if (reason.isEmpty()) {
        const QFileInfo dir(QFileInfo(path).absolutePath());
        if (!dir.isDir())
            reason = QStringLiteral("its folder does not exist");
        else if (!dir.isWritable())
            reason = QStringLiteral("its folder is read-only");
        else if (QFileInfo::exists(path) && !QFileInfo(path).isWritable())
            reason = QStringLiteral("the file is read-only");
        else
            reason = QStringLiteral("the file could not be written");
    }
    WriteFailures::record(path, reason);
    revertToDisk(handle);
    return false;
}

void revertToDisk(QSettings& handle)
{
    QSettings::SettingsMap disk;
    QByteArray bytes;
    if (readWholeFile(handle.fileName(), bytes))
        IniText::read(bytes, disk);
    for (const QString& key : handle.allKeys())
        if (!disk.contains(key))
            handle.remove(key);
    for (auto it = disk.cbegin(); it != disk.cend(); ++it)
        handle.setValue(it.key(), it.value());
}

bool replaceSettingsFile(QSettings& handle, const QByteArray& content)
{
    const QString path = handle.fileName();
    // Changes that could not be saved must not land on the new content.
    const bool nothingPending = flushSettings(handle);
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
    if (!nothingPending)
        revertToDisk(handle);
    handle.sync();
    return true;
}
