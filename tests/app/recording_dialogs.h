#pragma once
// A dialog answerer for view-level tests: answers the file dialogs in turn
// from `answers` (none left: cancelled) and records every question.
#include "app/user_dialogs.h"
#include <QStringList>

class RecordingDialogs : public UserDialogs {
public:
    RecordingDialogs() { UserDialogs::install(this); }
    ~RecordingDialogs() override { UserDialogs::install(nullptr); }

    QStringList answers;
    // One line per question: kind|caption|dir|filter, or warning|title|text.
    QStringList asked;
    QWidget* warningParent = nullptr;

    QString saveFileName(QWidget*, const QString& caption, const QString& dir, const QString& filter) override
    {
        return next(QStringLiteral("save"), caption, dir, filter);
    }
    QString openFileName(QWidget*, const QString& caption, const QString& dir, const QString& filter) override
    {
        return next(QStringLiteral("open"), caption, dir, filter);
    }
    QString existingDirectory(QWidget*, const QString& caption, const QString& dir) override
    {
        return next(QStringLiteral("directory"), caption, dir, QString());
    }
    void warning(QWidget* parent, const QString& title, const QString& text) override
    {
        warningParent = parent;
        asked.append(QStringLiteral("warning|") + title + QLatin1Char('|') + text);
    }

private:
    QString next(const QString& kind, const QString& caption, const QString& dir, const QString& filter)
    {
        asked.append(kind + QLatin1Char('|') + caption + QLatin1Char('|') + dir + QLatin1Char('|') + filter);
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};
