#include "scripted_dialogs.h"
#include "sim_output.h"
#include <QDir>
#include <QStandardPaths>

namespace {
// Where a dialog starts, as the trace shows it: inside the working
// directory relative to it, the desktop folder as "<desktop>"; nothing
// when it starts on the desktop itself, as it does before any export or
// import.
QString shownStart(const QString& start)
{
    const QString desktop = QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    const QString path = QDir::cleanPath(start);
    if (start.isEmpty() || path == desktop)
        return QString();
    if (path.startsWith(desktop + QLatin1Char('/')))
        return QStringLiteral(" in <desktop>") + path.mid(desktop.size());
    const QString relative = QDir::current().relativeFilePath(path);
    return QStringLiteral(" in ") + (relative.startsWith(QLatin1String("..")) ? path : relative);
}
} // namespace

QString ScriptedDialogs::next(const QString& kind, const QString& caption, const QString& filter, const QString& start)
{
    const QString answer = m_answers.isEmpty() ? QString() : m_answers.takeFirst();
    SimOutput::line(QStringLiteral("dialog %1 %2|%3%4 -> %5").arg(kind, caption, filter, shownStart(start), answer));
    return answer;
}

QString ScriptedDialogs::saveFileName(QWidget*, const QString& caption, const QString& dir, const QString& filter)
{
    return next(QStringLiteral("save"), caption, filter, dir);
}

QString ScriptedDialogs::openFileName(QWidget*, const QString& caption, const QString& dir, const QString& filter)
{
    return next(QStringLiteral("open"), caption, filter, dir);
}

QString ScriptedDialogs::existingDirectory(QWidget*, const QString& caption, const QString& dir)
{
    return next(QStringLiteral("directory"), caption, QString(), dir);
}
void ScriptedDialogs::warning(QWidget*, const QString& title, const QString& text)
{
    SimOutput::line(QStringLiteral("warning %1|%2").arg(title, text));
}
