#include "settings/kde_config_file.h"
#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QSaveFile>

namespace {

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// "[Group]" gives "Group"; anything else a null string.
QString groupOfHeader(const QString& line)
{
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']')))
        return {};
    return t.mid(1, t.size() - 2);
}

struct KeyLine {
    bool matches = false;
    bool immutable = false;
    QString value;
};

// Whether the line sets `key` ("Key=", "Key =", "Key[$e]=").
KeyLine parseKeyLine(const QString& line, const QString& key)
{
    KeyLine out;
    const int eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return out;
    QString name = line.left(eq).trimmed();
    QString flags;
    const int bracket = name.indexOf(QLatin1Char('['));
    if (bracket >= 0) {
        flags = name.mid(bracket);
        name = name.left(bracket);
    }
    if (name != key || (!flags.isEmpty() && !flags.startsWith(QLatin1String("[$"))))
        return out;  // another key, or a translation of this one
    out.matches = true;
    out.immutable = flags.contains(QLatin1Char('i'));
    out.value = line.mid(eq + 1).trimmed();
    return out;
}

} // namespace

QStringList kdeConfigGroups(const QString& path)
{
    QStringList groups;
    for (const QString& line : readLines(path)) {
        const QString group = groupOfHeader(line);
        if (!group.isNull() && !groups.contains(group))
            groups << group;
    }
    return groups;
}

QString kdeConfigValue(const QString& path, const QString& group, const QString& key)
{
    QString current;
    for (const QString& line : readLines(path)) {
        const QString header = groupOfHeader(line);
        if (!header.isNull()) {
            current = header;
            continue;
        }
        if (current == group) {
            const KeyLine k = parseKeyLine(line, key);
            if (k.matches)
                return k.value;
        }
    }
    return {};
}

bool setKdeConfigValue(const QString& path, const QString& group, const QString& key, const QString& value)
{
    QStringList lines = readLines(path);
    const QString entry = key + QLatin1Char('=') + value;
    QString current;
    int groupEnd = -1;  // the line after the group's last key line
    bool done = false;
    for (int i = 0; i < lines.size() && !done; ++i) {
        const QString header = groupOfHeader(lines.at(i));
        if (!header.isNull()) {
            current = header;
            continue;
        }
        if (current != group)
            continue;
        if (!lines.at(i).trimmed().isEmpty())
            groupEnd = i + 1;
        const KeyLine k = parseKeyLine(lines.at(i), key);
        if (k.matches) {
            if (k.immutable)
                return false;
            lines[i] = entry;
            done = true;
        }
    }
    if (!done) {
        if (groupEnd < 0) {
            // The group is new, or only has its header.
            int header = -1;
            for (int i = 0; i < lines.size(); ++i)
                if (groupOfHeader(lines.at(i)) == group)
                    header = i;
            if (header >= 0) {
                lines.insert(header + 1, entry);
            } else {
                if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
                    lines << QString();
                lines << QLatin1Char('[') + group + QLatin1Char(']') << entry;
            }
        } else {
            lines.insert(groupEnd, entry);
        }
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    return file.commit();
}
