#pragma once
// A fresh working directory with an empty library and a view on it, the way
// the program sees it after start-up; warning boxes are recorded.
#include "app/myqquickview.h"
#include "app/user_dialogs.h"
#include "settings/macro_selection.h"
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class RecordingDialogs : public UserDialogs {
public:
    QStringList warnings;
    QStringList answers; // answers for the next file dialogs, in order
    QStringList asked;   // "caption|filter" of every file dialog shown
    QString saveFileName(QWidget*, const QString& caption, const QString&, const QString& filter) override
    {
        return next(caption, filter);
    }
    QString openFileName(QWidget*, const QString& caption, const QString&, const QString& filter) override
    {
        return next(caption, filter);
    }
    QString existingDirectory(QWidget*, const QString& caption, const QString&) override
    {
        return next(caption, QString());
    }
    void warning(QWidget*, const QString& title, const QString& text) override
    {
        warnings << title + QLatin1Char('|') + text;
    }

private:
    QString next(const QString& caption, const QString& filter)
    {
        asked << caption + QLatin1Char('|') + filter;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

struct MacroTestEnv {
    QTemporaryDir dir;
    QString previous = QDir::currentPath();
    RecordingDialogs dialogs;
    std::unique_ptr<myQQuickView> view;

    MacroTestEnv()
    {
        QDir(dir.path()).mkpath(QStringLiteral("modules/macro"));
        QDir(dir.path()).mkpath(QStringLiteral("modules/setting"));
        QDir::setCurrent(dir.path());
        UserDialogs::install(&dialogs);
        // The selection is process-wide: every case starts from none.
        MacroSelection::setNames(QStringList(5, QString()));
        MacroSelection::setLevel(QStringLiteral("0"));
    }
    // The view opens its settings files when it is first asked for.
    myQQuickView& v()
    {
        if (!view)
            view = std::make_unique<myQQuickView>();
        return *view;
    }
    ~MacroTestEnv()
    {
        view.reset();
        UserDialogs::install(nullptr);
        QDir::setCurrent(previous);
    }

    static QByteArray read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void write(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(bytes);
    }
    // The raw "key=value" lines of one group of an INI file, in file order.
    static QStringList groupLines(const QString& path, const QString& group)
    {
        QStringList lines;
        bool inside = false;
        for (const QByteArray& raw : read(path).split('\n')) {
            const QString l = QString::fromLatin1(raw).trimmed();
            if (l.startsWith(QLatin1Char('['))) {
                inside = l == QLatin1Char('[') + group + QLatin1Char(']');
                continue;
            }
            if (inside && !l.isEmpty())
                lines << l;
        }
        return lines;
    }
    // Every path below `root`, relative, sorted, folders with a trailing "/".
    static QStringList tree(const QString& root)
    {
        QStringList out;
        const QDir base(QDir(root).absolutePath());
        QDirIterator it(base.absolutePath(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString p = it.next();
            out << base.relativeFilePath(p) + (it.fileInfo().isDir() ? QStringLiteral("/") : QString());
        }
        out.sort();
        return out;
    }
};
