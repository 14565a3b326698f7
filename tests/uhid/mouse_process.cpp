#include "mouse_process.h"
#include <QCoreApplication>

MouseProcess::~MouseProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.write("quit\n");
        if (!m_process.waitForFinished(5000))
            m_process.kill();
    }
}

bool MouseProcess::start()
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/halcyon-uhid-mouse"),
                    QStringList());
    return m_process.waitForStarted(10000);
}

QStringList MouseProcess::command(const QString& line, bool* ok)
{
    auto finish = [&](bool result, const QString& error) {
        if (!result)
            m_error = error;
        if (ok)
            *ok = result;
    };
    m_process.write(line.toUtf8() + '\n');
    QStringList lines;
    for (;;) {
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(10000)) {
                finish(false, QStringLiteral("no answer to ") + line);
                return lines;
            }
        }
        const QString reply = QString::fromUtf8(m_process.readLine()).trimmed();
        if (reply == QLatin1String("ok")) {
            finish(true, QString());
            return lines;
        }
        if (reply.startsWith(QLatin1String("error"))) {
            finish(false, reply);
            return lines;
        }
        lines << reply;
    }
}

QStringList MouseProcess::log()
{
    bool ok = false;
    const QStringList lines = command(QStringLiteral("log"), &ok);
    return ok ? lines : QStringList{m_error};
}

QStringList MouseProcess::log(const QString& kind)
{
    QStringList out;
    for (const QString& line : log())
        if (line.section(QLatin1Char(' '), 1, 1) == kind)
            out << line;
    return out;
}

QByteArray pattern(int length, int start)
{
    QByteArray bytes;
    for (int i = 0; i < length; ++i)
        bytes.append(char(uchar(start + i)));
    return bytes;
}

QString hex(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}
