#pragma once
// A throw-away working directory with a ./modules tree for the settings
// tests, and the configuration and profile stores opened in it.
#include "settings/config_store.h"
#include "settings/profile_store.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

class SettingsWorkdir {
public:
    SettingsWorkdir() : m_previous(QDir::currentPath())
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("modules/setting"));
        QDir(m_dir.path()).mkpath(QStringLiteral("modules/i18n"));
        QDir::setCurrent(m_dir.path());
    }
    ~SettingsWorkdir() { QDir::setCurrent(m_previous); }

    QString path(const QString& relative) const { return m_dir.path() + QLatin1Char('/') + relative; }

    void write(const QString& relative, const QByteArray& bytes) const
    {
        QDir().mkpath(QFileInfo(path(relative)).path());
        QFile f(path(relative));
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
    }

    QByteArray read(const QString& relative) const
    {
        QFile f(path(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    bool exists(const QString& relative) const { return QFileInfo::exists(path(relative)); }

    // The files the stores open at construction, each slot file telling its
    // slot by its key "mouse/slot".
    void writeSettingsSet() const
    {
        write(QStringLiteral("modules/setting/apConfig.bin"),
              "[common]\nlanguage=English\n\n[mouse]\nicType=553\nisColorful=true\nisGun=true\nis55328=false\n");
        write(QStringLiteral("modules/setting/apConfigD.bin"),
              "[common]\nlanguage=German\n\n[mouse]\nicType=560\nisColorful=false\nisGun=false\nis55328=true\n");
        write(QStringLiteral("modules/setting/pD.bin"),
              "[mouse]\ndpiValueArray=800, 1600, 2400\nmouseRate=138\nslot=D\n");
        for (int k = 1; k <= 10; ++k)
            write(QStringLiteral("modules/setting/p%1.bin").arg(k),
                  QByteArray("[mouse]\nslot=") + QByteArray::number(k) + "\n");
    }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// The configuration and the profile stores as the program opens them at
// start; destroying them writes back what is pending.
struct SettingsStores {
    ConfigStore config;
    ProfileStore profiles{config};
};
