#include "scripted_dialogs.h"
#include "sim_output.h"

QString ScriptedDialogs::next(const QString& kind, const QString& caption, const QString& filter)
{
    const QString answer = m_answers.isEmpty() ? QString() : m_answers.takeFirst();
    SimOutput::line(QStringLiteral("dialog %1 %2|%3 -> %4").arg(kind, caption, filter, answer));
    return answer;
}

QString ScriptedDialogs::saveFileName(QWidget*, const QString& caption, const QString&, const QString& filter)
{
    return next(QStringLiteral("save"), caption, filter);
}

QString ScriptedDialogs::openFileName(QWidget*, const QString& caption, const QString&, const QString& filter)
{
    return next(QStringLiteral("open"), caption, filter);
}

QString ScriptedDialogs::existingDirectory(QWidget*, const QString& caption, const QString&)
{
    return next(QStringLiteral("directory"), caption, QString());
}

void ScriptedDialogs::warning(QWidget*, const QString& title, const QString& text)
{
    SimOutput::line(QStringLiteral("warning %1|%2").arg(title, text));
}
