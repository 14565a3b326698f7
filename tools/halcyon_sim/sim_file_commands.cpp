#include "sim_file_commands.h"
#include "sim_output.h"
#include "sim_session.h"
#include "settings/file_faults.h"
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>
#include <sys/stat.h>

namespace {

// Orders numeric keys by number and all others by text.
bool keyLess(const QString& a, const QString& b)
{
    bool na = false, nb = false;
    const qlonglong ia = a.toLongLong(&na), ib = b.toLongLong(&nb);
    if (na && nb)
        return ia < ib;
    if (na != nb)
        return na;
    return a < b;
}

bool readWholeFile(const QString& path, QByteArray& bytes)
{
    QFile f(path);
    if (QFileInfo(path).isDir() || !f.open(QIODevice::ReadOnly))
        return false;
    bytes = f.readAll();
    return true;
}

// A file line with bytes outside printable ASCII shown as \xHH.
QString printable(const QByteArray& line)
{
    QString out;
    for (const char c : line) {
        const uchar b = uchar(c);
        if (b >= 0x20 && b < 0x7F)
            out += QLatin1Char(c);
        else
            out += QStringLiteral("\\x%1").arg(b, 2, 16, QLatin1Char('0'));
    }
    return out;
}

struct IniLine {
    QString group, key, value;
};

} // namespace

void registerFileCommands(SimSession& session)
{
    // {"sim":"disk","fill":true}: fills the working directory's file system
    // with a file of zeros until it takes no more, as a full disk (for runs
    // on a small file system of their own); "fill":false removes that file.
    session.addSimCommand(QStringLiteral("disk"), [](const QJsonObject& line) {
        const QString filler = QStringLiteral("disk-filler");
        if (!line.value(QStringLiteral("fill")).toBool())
            return QFile::remove(filler);
        QFile file(filler);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
            return false;
        const QByteArray zeros(4096, '\0');
        while (file.write(zeros) > 0) {
        }
        return true;
    });
    // {"sim":"file-fail","op":"write|flush|commit|rename|lock","after":K,"count":N,
    // "reason":TEXT}: the next N such steps of settings writes fail after K
    // successful ones (count -1: until "file-fail" with count 0).
    session.addSimCommand(QStringLiteral("file-fail"), [](const QJsonObject& line) {
        FileFaults::Step step;
        if (!FileFaults::stepFromName(line.value(QStringLiteral("op")).toString(), step))
            return false;
        FileFaults::failNext(step, line.value(QStringLiteral("reason")).toString(QStringLiteral("No space left on device")),
                             line.value(QStringLiteral("count")).toInt(1), line.value(QStringLiteral("after")).toInt(0));
        return true;
    });
    session.addSimCommand(QStringLiteral("ls"), [](const QJsonObject& line) {
        const QString root = line.value(QStringLiteral("path")).toString();
        if (!QFileInfo(root).isDir()) {
            SimOutput::line(QStringLiteral("ls %1 missing").arg(root));
            return true;
        }
        QStringList entries;
        const QDir base(QDir(root).absolutePath());
        QDirIterator it(base.absolutePath(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString rel = base.relativeFilePath(path);
            entries << (it.fileInfo().isDir() ? rel + QLatin1Char('/') : rel);
        }
        entries.sort();
        if (entries.isEmpty())
            SimOutput::line(QStringLiteral("ls %1 empty").arg(root));
        for (const QString& e : entries)
            SimOutput::line(QStringLiteral("ls ") + e);
        return true;
    });
    session.addSimCommand(QStringLiteral("ini"), [](const QJsonObject& line) {
        const QString path = line.value(QStringLiteral("path")).toString();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            SimOutput::line(QStringLiteral("ini %1 missing").arg(path));
            return true;
        }
        QList<IniLine> lines;
        QString group = QStringLiteral("General");
        for (const QByteArray& raw : file.readAll().split('\n')) {
            const QString text = QString::fromLatin1(raw).trimmed();
            if (text.isEmpty())
                continue;
            if (text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']'))) {
                group = text.mid(1, text.size() - 2);
                continue;
            }
            const int eq = text.indexOf(QLatin1Char('='));
            lines.append({group, text.left(eq).trimmed(), text.mid(eq + 1).trimmed()});
        }
        std::stable_sort(lines.begin(), lines.end(), [](const IniLine& a, const IniLine& b) {
            if (a.group != b.group)
                return a.group < b.group;
            return keyLess(a.key, b.key);
        });
        // "keys":["mouse/selectGun","XYSensitive/"] keeps those keys and groups.
        QStringList wanted;
        for (const QJsonValue& k : line.value(QStringLiteral("keys")).toArray())
            wanted << k.toString();
        if (!wanted.isEmpty()) {
            QList<IniLine> kept;
            for (const IniLine& l : lines) {
                const QString full = l.group + QLatin1Char('/') + l.key;
                if (wanted.contains(full) || wanted.contains(l.group + QLatin1Char('/')))
                    kept.append(l);
            }
            lines = kept;
        }
        if (lines.isEmpty())
            SimOutput::line(QStringLiteral("ini %1 empty").arg(path));
        for (const IniLine& l : lines)
            SimOutput::line(QStringLiteral("ini [%1] %2=%3").arg(l.group, l.key, l.value));
        return true;
    });
    session.addSimCommand(QStringLiteral("same"), [](const QJsonObject& line) {
        // Pending settings writes reach the disk first, as they do when
        // control returns to the event loop.
        QCoreApplication::processEvents();
        const QString a = line.value(QStringLiteral("a")).toString();
        const QString b = line.value(QStringLiteral("b")).toString();
        QByteArray ba, bb;
        const bool same = readWholeFile(a, ba) && readWholeFile(b, bb) && ba == bb;
        SimOutput::line(QStringLiteral("%1 %2 %3").arg(same ? QStringLiteral("same") : QStringLiteral("differ"), a, b));
        return true;
    });
    session.addSimCommand(QStringLiteral("file"), [](const QJsonObject& line) {
        QCoreApplication::processEvents();
        const QString path = line.value(QStringLiteral("path")).toString();
        QByteArray bytes;
        if (!readWholeFile(path, bytes)) {
            SimOutput::line(QStringLiteral("file %1 missing").arg(path));
            return true;
        }
        SimOutput::line(QStringLiteral("file %1 %2 bytes").arg(path).arg(bytes.size()));
        QList<QByteArray> lines = bytes.split('\n');
        if (bytes.endsWith('\n'))
            lines.removeLast();
        for (const QByteArray& l : lines)
            SimOutput::line(QStringLiteral("file| ") + printable(l));
        return true;
    });    session.addSimCommand(QStringLiteral("write"), [](const QJsonObject& line) {
        const QString path = line.value(QStringLiteral("path")).toString();
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        file.write(line.value(QStringLiteral("text")).toString().toUtf8());
        return true;
    });
    // {"sim":"fifo","path":P} makes a FIFO (nobody writes to it);
    // {"sim":"link","path":P,"target":T} a symbolic link to T.
    session.addSimCommand(QStringLiteral("fifo"), [](const QJsonObject& line) {
        const QString path = line.value(QStringLiteral("path")).toString();
        QDir().mkpath(QFileInfo(path).path());
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    });
    session.addSimCommand(QStringLiteral("link"), [](const QJsonObject& line) {
        const QString path = line.value(QStringLiteral("path")).toString();
        QDir().mkpath(QFileInfo(path).path());
        return QFile::link(line.value(QStringLiteral("target")).toString(), path);
    });
    session.addSimCommand(QStringLiteral("exists"), [](const QJsonObject& line) {
        const QString path = line.value(QStringLiteral("path")).toString();
        SimOutput::line(QStringLiteral("exists %1 %2").arg(path, QFileInfo::exists(path) ? QStringLiteral("true") : QStringLiteral("false")));
        return true;
    });
}
