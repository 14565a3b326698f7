#include "settings/write_failures.h"
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QSet>
#include <QTimer>

namespace {
QMutex g_mutex;
QSet<QString> g_warned;
QHash<QString, QString> g_writerErrors;
std::function<void(const QString&, const QString&)> g_warner;
std::function<bool()> g_busy;
QStringList g_pending;   // warning texts not shown yet
WriteFailures::Collector* g_collector = nullptr;

QString key(const QString& path)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

// The file as the user knows it: relative to the data folder when inside it.
QString shownName(const QString& path)
{
    const QString rel = QDir::current().relativeFilePath(key(path));
    return QDir::toNativeSeparators(rel.startsWith(QLatin1String("..")) ? key(path) : rel);
}
// A system's reason may repeat a path as the program opened it, such as
// "Existing file /home/u/halcyon/./modules/setting/p1.bin is not writable":
// every absolute path in it is shown as the file name is.
QString shownReason(const QString& reason)
{
    static const QRegularExpression absolutePath(QStringLiteral("(?<!\\S)/\\S*"));
    QString text = reason;
    QList<QRegularExpressionMatch> paths;
    for (auto it = absolutePath.globalMatch(reason); it.hasNext();)
        paths.prepend(it.next());
    for (const QRegularExpressionMatch& m : paths)
        text.replace(m.capturedStart(), m.capturedLength(), shownName(m.captured()));
    return text;
}
} // namespace

namespace WriteFailures {

QString warningText(const QString& path, const QString& reason)
{
    return QStringLiteral("%1 could not be saved: %2. It keeps its previous content.")
        .arg(shownName(path), shownReason(reason));
}

void record(const QString& path, const QString& reason)
{
    qWarning().noquote() << "write failed:" << shownName(path) << "-" << reason;
    const QString text = warningText(path, reason);
    if (g_collector) {
        g_collector->m_texts << text;
        return;
    }
    {
        QMutexLocker lock(&g_mutex);
        if (g_warned.contains(key(path)))
            return;
        g_warned.insert(key(path));
        g_pending << text;
    }
    deliverHeld();
}

void deliverHeld()
{
    {
        QMutexLocker lock(&g_mutex);
        if (g_pending.isEmpty())
            return;
    }
    if (!QCoreApplication::instance())
        return;
    // Never from inside a write (a settings handle may hold its file's lock
    // there): from the event loop.
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        if (g_busy && g_busy())
            return;
        QStringList texts;
        {
            QMutexLocker lock(&g_mutex);
            texts.swap(g_pending);
        }
        for (const QString& text : texts)
            if (g_warner)
                g_warner(QStringLiteral("Save failed"), text);
    });
}

void setWarner(std::function<void(const QString& title, const QString& text)> warner)
{
    g_warner = std::move(warner);
}

void setHold(std::function<bool()> busy)
{
    g_busy = std::move(busy);
}

Collector::Collector() : m_previous(g_collector)
{
    g_collector = this;
}

Collector::~Collector()
{
    g_collector = m_previous;
}

void cleared(const QString& path)
{
    QMutexLocker lock(&g_mutex);
    g_warned.remove(key(path));
}

void noteWriterError(const QString& path, const QString& reason)
{
    QMutexLocker lock(&g_mutex);
    g_writerErrors.insert(key(path), reason);
}

QString takeWriterError(const QString& path)
{
    QMutexLocker lock(&g_mutex);
    return g_writerErrors.take(key(path));
}

} // namespace WriteFailures
