#include "sim_output.h"
#include <QMutex>
#include <cstdio>

namespace SimOutput {

namespace {
QMutex& outputMutex()
{
    static QMutex m;
    return m;
}

void handler(QtMsgType type, const QMessageLogContext&, const QString& msg)
{
    if (type == QtDebugMsg) {
        line(QStringLiteral("log ") + msg);
        return;
    }
    QMutexLocker lock(&outputMutex());
    std::fprintf(stderr, "%s\n", qPrintable(msg));
    std::fflush(stderr);
}
} // namespace

namespace {
bool g_muted = false;
}

void setMuted(bool muted)
{
    QMutexLocker lock(&outputMutex());
    g_muted = muted;
}

bool isMuted()
{
    QMutexLocker lock(&outputMutex());
    return g_muted;
}

void line(const QString& text)
{
    QMutexLocker lock(&outputMutex());
    if (g_muted)
        return;
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void installMessageHandler()
{
    qInstallMessageHandler(handler);
}

QString hex(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

} // namespace SimOutput
