#include "settings/checked_writes.h"
#include "settings/file_faults.h"
#include "settings/file_replace.h"
#include "settings/ini_format.h"
#include "settings/write_failures.h"
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

// Catches the handle's own write-back request, which the settings class
// posts to itself after a change, and writes through the check instead.
class WriteBackWatcher : public QObject {
public:
    explicit WriteBackWatcher(QSettings& handle) : QObject(&handle), m_handle(handle) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &m_handle || event->type() != QEvent::UpdateRequest)
            return false;
        CheckedWrites::sync(m_handle);
        return true;
    }

private:
    QSettings& m_handle;
};

// Why a file's folder takes no new file: the settings class's lock file is
// created there before every write. Asked after a write that left no reason
// of its own.
QString folderProblem(const QString& path)
{
    QString reason;
    if (FileFaults::planned(FileFaults::Step::Lock, reason))
        return reason;
    const QFileInfo info(path);
    if (!QFileInfo(info.absolutePath()).isDir())
        return QStringLiteral("its folder does not exist");
    QFile probe(info.absoluteFilePath() + QStringLiteral(".lock-probe-%1").arg(QCoreApplication::applicationPid()));
    if (!probe.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return probe.errorString();
    // An empty file may fit where the whole content did not.
    const bool written = probe.write("x", 1) == 1 && probe.flush();
    const QString writeError = probe.errorString();
    probe.close();
    probe.remove();
    if (!written)
        return writeError;
    if (info.exists() && !info.isWritable())
        return QStringLiteral("the file is read-only");
    return QStringLiteral("the file could not be written");
}

QByteArray normalText(const QSettings::SettingsMap& map)
{
    return IniText::write(map);
}

} // namespace

namespace CheckedWrites {

void watch(QSettings& handle)
{
    handle.installEventFilter(new WriteBackWatcher(handle));
}

bool diskHolds(QSettings& handle)
{
    QSettings::SettingsMap disk;
    QByteArray bytes;
    if (readWholeFile(handle.fileName(), bytes))
        IniText::read(bytes, disk);
    QSettings::SettingsMap held;
    for (const QString& key : handle.allKeys())
        held.insert(key, handle.value(key));
    // Both through the writer: a number in memory and its text on disk are
    // the same value.
    return normalText(disk) == normalText(held);
}

bool sync(QSettings& handle, QString* reasonOut)
{
    const QString path = handle.fileName();
    WriteFailures::takeWriterError(path);   // a stale one from an earlier write
    // The status stays at its first error for the handle's whole life, so
    // only a change of it tells about this write.
    const bool statusWasFine = handle.status() == QSettings::NoError;
    const QFileInfo before(path);
    const auto stamp = [](const QFileInfo& f) { return qMakePair(f.size(), f.lastModified()); };
    const auto oldStamp = stamp(before);
    handle.sync();
    QString reason = WriteFailures::takeWriterError(path);
    const bool statusTurned = statusWasFine && handle.status() != QSettings::NoError;
    if (reason.isEmpty() && !statusTurned && diskHolds(handle)) {
        // Only a write that happened makes a later failure warn again; a
        // sync with nothing to write proves nothing about the disk.
        if (stamp(QFileInfo(path)) != oldStamp)
            WriteFailures::cleared(path);
        return true;
    }
    // The writer has told the user already when it gave the reason.
    if (reason.isEmpty()) {
        reason = folderProblem(path);
        WriteFailures::record(path, reason);
    }
    if (reasonOut)
        *reasonOut = reason;
    return false;
}

} // namespace CheckedWrites
