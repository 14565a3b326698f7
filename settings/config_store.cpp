// Generic key access to the global configuration and the profiles.
#include "app/myqquickview.h"
#include "settings/file_replace.h"
#include "settings/ini_format.h"
#include "settings/scene_value.h"
#include <QDebug>

namespace {
const QString kDefaultConfigPath = QStringLiteral("./modules/setting/apConfigD.bin");
}

QVariant myQQuickView::getData(QVariant key, bool isRecovery)
{
    QSettings* settings = isRecovery ? defaultProfile() : currentProfileSettings();
    return settings ? settings->value(key.toString()) : QVariant();
}

QVariant myQQuickView::getGlobalData(QVariant key)
{
    return m_global ? m_global->value(key.toString()) : QVariant();
}

QVariantList myQQuickView::getDataList(QVariant key, bool isRecovery)
{
    return iniList(getData(key, isRecovery));
}

void myQQuickView::setData(QVariant key, QVariant data)
{
    // The factory profile is never written: recovery is read-only.
    if (QSettings* settings = currentProfileSettings())
        settings->setValue(key.toString(), plainSceneValue(data));
}

void myQQuickView::setGlobalData(QVariant key, QVariant tmpdata)
{
    if (m_global)
        m_global->setValue(key.toString(), plainSceneValue(tmpdata));
}

void myQQuickView::setDataList(QVariant key, QVariantList datalist)
{
    if (QSettings* settings = currentProfileSettings())
        settings->setValue(key.toString(), plainSceneValue(QVariant(datalist)));
}

void myQQuickView::resetApconfig()
{
    // The cached device traits, the profiles and the current slot stay as
    // they are. Without a readable factory file the live file is kept.
    QByteArray factory;
    if (!m_global || !readWholeFile(kDefaultConfigPath, factory)) {
        qDebug() << "resetApconfig: no factory configuration, keeping" << (m_global ? m_global->fileName() : QString());
        return;
    }
    replaceSettingsFile(*m_global, factory);
}
