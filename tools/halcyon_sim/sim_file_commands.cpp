#include "sim_file_commands.h"
#include "sim_output.h"
#include "sim_session.h"
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {
bool readFile(const QString& path, QByteArray& bytes)
{
    QFile f(path);
    if (QFileInfo(path).isDir() || !f.open(QIODevice::ReadOnly))
        return false;
    bytes = f.readAll();
    return true;
}

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
} // namespace

void registerFileCommands(SimSession& session)
{
    session.addSimCommand(QStringLiteral("file"), [](const QJsonObject& line) {
        QCoreApplication::processEvents();
        const QString path = line.value(QStringLiteral("path")).toString();
        QByteArray bytes;
        if (!readFile(path, bytes)) {
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
    });
    session.addSimCommand(QStringLiteral("same"), [](const QJsonObject& line) {
        QCoreApplication::processEvents();
        const QString a = line.value(QStringLiteral("a")).toString();
        const QString b = line.value(QStringLiteral("b")).toString();
        QByteArray ba, bb;
        const bool same = readFile(a, ba) && readFile(b, bb) && ba == bb;
        SimOutput::line(QStringLiteral("%1 %2 %3").arg(same ? QStringLiteral("same") : QStringLiteral("differ"), a, b));
        return true;
    });
}
