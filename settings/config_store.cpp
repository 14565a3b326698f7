#include "settings/config_store.h"
#include "settings/checked_writes.h"
#include "settings/file_replace.h"
#include "settings/ini_format.h"
#include "settings/scene_value.h"
#include <QDebug>

namespace {
const QString kConfigPath = QStringLiteral("./modules/setting/apConfig.bin");
const QString kFactoryConfigPath = QStringLiteral("./modules/setting/apConfigD.bin");
const QString kFamilyKey = QStringLiteral("mouse/icType");

QString& familyOverride()
{
    static QString family;
    return family;
}
} // namespace

void ConfigStore::overrideFamily(const QString& icType)
{
    familyOverride() = icType;
}

ConfigStore::ConfigStore() : m_file(openIni(kConfigPath))
{
    CheckedWrites::watch(*m_file);
    m_traits.colorful = m_file->value(QStringLiteral("mouse/isColorful")).toBool();
    m_traits.gun = m_file->value(QStringLiteral("mouse/isGun")).toBool();
    m_traits.icType = value(kFamilyKey).toString();
    m_traits.is55328 = m_file->value(QStringLiteral("mouse/is55328")).toBool();
    m_traits.alwaysSendAll = m_file->value(QStringLiteral("mouse/alwaysSendAll")).toBool();
}

ConfigStore::~ConfigStore() = default;

QVariant ConfigStore::value(const QString& key) const
{
    if (key == kFamilyKey && !familyOverride().isEmpty())
        return familyOverride();
    return m_file->value(key);
}

void ConfigStore::setValue(const QString& key, const QVariant& sceneValue)
{
    m_file->setValue(key, plainSceneValue(sceneValue));
}

void ConfigStore::remove(const QString& key)
{
    m_file->remove(key);
}

void ConfigStore::resetToFactory()
{
    QByteArray factory;
    if (!readWholeFile(kFactoryConfigPath, factory)) {
        qDebug() << "resetApconfig: no factory configuration, keeping" << m_file->fileName();
        return;
    }
    replaceSettingsFile(*m_file, factory);
}

bool ConfigStore::flush(QString* reason)
{
    return CheckedWrites::sync(*m_file, reason);
}
