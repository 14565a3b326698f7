#include "settings/profile_store.h"
#include "settings/config_store.h"
#include "settings/checked_writes.h"
#include "settings/file_replace.h"
#include "settings/import_limit.h"
#include "settings/ini_format.h"
#include "settings/scene_value.h"
#include "settings/user_files.h"

namespace {
const QString kFactoryProfilePath = QStringLiteral("./modules/setting/pD.bin");

QString slotFilePath(int k)
{
    return QStringLiteral("./modules/setting/p%1.bin").arg(k + 1);
}
} // namespace

ProfileStore::ProfileStore(ConfigStore& config) : m_config(config), m_factory(openIni(kFactoryProfilePath))
{
    for (int k = 0; k < SlotCount; ++k)
        m_slots.push_back(openIni(slotFilePath(k)));
    CheckedWrites::watch(*m_factory);
    for (auto& s : m_slots)
        CheckedWrites::watch(*s);
}

ProfileStore::~ProfileStore() = default;

QSettings* ProfileStore::slot(int k) const
{
    if (k < 0 || k >= int(m_slots.size()))
        return nullptr;
    return m_slots[size_t(k)].get();
}

void ProfileStore::setCurrentSlot(int k)
{
    if (slot(k))
        m_current = k;
}

QVariant ProfileStore::value(const QString& key, bool fromFactory) const
{
    QSettings* settings = fromFactory ? m_factory.get() : current();
    return settings ? settings->value(key) : QVariant();
}

QVariantList ProfileStore::list(const QString& key, bool fromFactory) const
{
    return iniList(value(key, fromFactory));
}

void ProfileStore::setValue(const QString& key, const QVariant& sceneValue)
{
    if (QSettings* settings = current())
        settings->setValue(key, plainSceneValue(sceneValue));
}

void ProfileStore::flushAll()
{
    writePending();
    flushSettings(*m_factory);
}

bool ProfileStore::writePending(QString* reason)
{
    QString first;
    bool ok = m_config.flush(&first);
    for (auto& s : m_slots) {
        QString why;
        if (!CheckedWrites::sync(*s, &why) && ok) {
            ok = false;
            first = why;
        }
    }
    if (!ok && reason)
        *reason = first;
    return ok;
}

bool ProfileStore::exportSlot(int k, const QString& target)
{
    QSettings* handle = slot(k);
    if (!handle)
        return false;
    // Without the unsaved changes the copy would not be the profile the
    // user sees; the failure has been told.
    if (!flushSettings(*handle))
        return false;
    QByteArray content;
    if (!readWholeFile(slotFilePath(k), content))
        return false;
    // The save dialog asked before an existing file is replaced.
    return UserFiles::exportOrWarn(target, content);
}

bool ProfileStore::importSlot(int k, const QString& source)
{
    QSettings* handle = slot(k);
    if (!handle || source.isEmpty())
        return false;
    // The chosen file may be one of the program's own settings files: its
    // pending writes belong to what is read.
    flushAll();
    QByteArray content;
    return ImportLimit::readOrWarn(source, content) && replaceSettingsFile(*handle, content);
}

void ProfileStore::resetSlot(int k)
{
    QSettings* handle = slot(k);
    QByteArray content;
    if (handle && readWholeFile(kFactoryProfilePath, content))
        replaceSettingsFile(*handle, content);
}

void ProfileStore::copySlot(int dest, int src)
{
    QSettings* to = slot(dest);
    QSettings* from = slot(src);
    if (!to || !from || dest == src)
        return;
    flushSettings(*from);
    QByteArray content;
    if (readWholeFile(from->fileName(), content))
        replaceSettingsFile(*to, content);
}
