#include "sim_file_commands.h"
#include "sim_output.h"
#include "sim_session.h"
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <algorithm>

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

struct IniLine {
    QString group, key, value;
};

} // namespace

void registerFileCommands(SimSession& session)
{
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
        if (lines.isEmpty())
            SimOutput::line(QStringLiteral("ini %1 empty").arg(path));
        for (const IniLine& l : lines)
            SimOutput::line(QStringLiteral("ini [%1] %2=%3").arg(l.group, l.key, l.value));
        return true;
    });
    session.addSimCommand(QStringLiteral("same"), [](const QJsonObject& line) {
        QFile a(line.value(QStringLiteral("a")).toString()), b(line.value(QStringLiteral("b")).toString());
        const bool same = a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly) && a.readAll() == b.readAll();
        SimOutput::line(QStringLiteral("same %1").arg(same ? QStringLiteral("true") : QStringLiteral("false")));
        return true;
    });
    session.addSimCommand(QStringLiteral("write"), [](const QJsonObject& line) {
        const QString path = line.value(QStringLiteral("path")).toString();
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        file.write(line.value(QStringLiteral("text")).toString().toUtf8());
        return true;
    });
    session.addSimCommand(QStringLiteral("exists"), [](const QJsonObject& line) {
        const QString path = line.value(QStringLiteral("path")).toString();
        SimOutput::line(QStringLiteral("exists %1 %2").arg(path, QFileInfo::exists(path) ? QStringLiteral("true") : QStringLiteral("false")));
        return true;
    });
}
