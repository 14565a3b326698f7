#pragma once
#include "app/user_dialogs.h"
#include <QStringList>

// Answers file dialogs from the script ({"sim":"dialog","answer":PATH}) and
// prints every warning box as "warning TITLE|TEXT". A dialog with no answer
// queued is cancelled. Each dialog prints as "dialog KIND CAPTION|FILTER
// [in START] -> ANSWER".
class ScriptedDialogs : public UserDialogs {
public:
    void queueAnswer(const QString& path) { m_answers.append(path); }

    QString saveFileName(QWidget*, const QString& caption, const QString& dir, const QString& filter) override;
    QString openFileName(QWidget*, const QString& caption, const QString& dir, const QString& filter) override;
    QString existingDirectory(QWidget*, const QString& caption, const QString& dir) override;
    void warning(QWidget*, const QString& title, const QString& text) override;

private:
    QString next(const QString& kind, const QString& caption, const QString& filter, const QString& start);
    QStringList m_answers;
};
