#pragma once
// A fresh working directory with an empty library and the macro library on
// it, built the way the program builds it at start-up (configuration,
// profiles, the name index, the macro selection); the warnings the library
// gives are recorded.
#include "macros/macro_library.h"
#include "settings/config_store.h"
#include "settings/macro_selection.h"
#include "settings/name_index.h"
#include "settings/profile_store.h"
#include "settings/user_warnings.h"
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class MacroTestEnv {
public:
    QStringList warnings; // "title|text" of every warning given

    MacroTestEnv()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("modules/macro"));
        QDir(m_dir.path()).mkpath(QStringLiteral("modules/setting"));
        QDir::setCurrent(m_dir.path());
        UserWarnings::setHandler([this](const QString& title, const QString& text) {
            warnings << title + QLatin1Char('|') + text;
        });
        m_selection.setLevel(QStringLiteral("0"));
    }
    ~MacroTestEnv()
    {
        m_library.reset();
        m_profiles.reset();
        m_config.reset();
        UserWarnings::setHandler({});
        QDir::setCurrent(m_previous);
    }
    MacroTestEnv(const MacroTestEnv&) = delete;
    MacroTestEnv& operator=(const MacroTestEnv&) = delete;

    // The stores open their files when first asked for, so that a case can
    // write the profiles it needs before.
    MacroLibrary& library()
    {
        open();
        return *m_library;
    }
    ProfileStore& profiles()
    {
        open();
        return *m_profiles;
    }

    // Selects up to five nested folders, the way the scene does before a
    // macro operation.
    void selectFolders(const QStringList& names) { m_selection.setNames(names); }

    static QString lib(const QString& rel) { return QStringLiteral("modules/macro/") + rel; }
    static QString abs(const QString& rel) { return QDir::current().absoluteFilePath(rel); }

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

private:
    void open()
    {
        if (m_library)
            return;
        m_config = std::make_unique<ConfigStore>();
        m_profiles = std::make_unique<ProfileStore>(*m_config);
        m_library = std::make_unique<MacroLibrary>(*m_profiles, NameIndex::instance(), m_selection);
    }

    QTemporaryDir m_dir;
    QString m_previous = QDir::currentPath();
    std::unique_ptr<ConfigStore> m_config;
    std::unique_ptr<ProfileStore> m_profiles;
    MacroSelection m_selection;
    std::unique_ptr<MacroLibrary> m_library;
};
