// Gun presets and the per-profile XY sensitivity and gun selection values.
#include "settings/gun_store.h"
#include "settings/file_replace.h"
#include "settings/ini_format.h"
#include "settings/profile_store.h"
#include "settings/scene_value.h"
#include <QDebug>
#include <QFileInfo>

namespace {

const QString GunFile = QStringLiteral("./modules/gun/gunData.bin");
const QString GunGroup = QStringLiteral("gunData");
const QString XYPrefix = QStringLiteral("XYSensitive/");
const QString SelectGunPrefix = QStringLiteral("selectGun/");
constexpr int XYDefault = 4;

constexpr int PresetItems = 6;        // name, trigger key, period, X, Y, times
constexpr int RenameItems = 7;        // new name, key, period, X, Y, times, old name

QString presetKey(const QVariant& name)
{
    return GunGroup + QLatin1Char('/') + name.toString();
}

// The program never creates the preset file; without it every operation on
// it does nothing.
std::unique_ptr<QSettings> openGunFile()
{
    if (!QFileInfo::exists(GunFile))
        return nullptr;
    return openIni(GunFile);
}

// A stored list; a plain value (how a one-item list reads back) is no list.
QVariantList storedList(const QVariant& v)
{
    if (v.metaType().id() == QMetaType::QVariantList)
        return v.toList();
    if (v.metaType().id() == QMetaType::QStringList) {
        QVariantList list;
        for (const QString& s : v.toStringList())
            list.append(s);
        return list;
    }
    return QVariantList();
}

} // namespace

GunStore::GunStore(ProfileStore& profiles) : m_profiles(profiles)
{
}

void GunStore::savePreset(const QVariant& index, const QVariantList& src6)
{
    if (src6.size() < PresetItems) {
        qDebug() << "mouseSaveGundata refused:" << src6.size() << "items instead of" << PresetItems;
        return;
    }
    if (index.toString().isEmpty()) {
        qDebug() << "mouseSaveGundata refused: a preset needs a name";
        return;
    }
    auto file = openGunFile();
    if (!file)
        return;
    file->setValue(presetKey(index), plainSceneValue(src6.mid(0, PresetItems)));
    syncSettings(*file);
}

void GunStore::modifyPreset(const QVariant& modifyType, const QVariantList& src6)
{
    const int type = modifyType.toInt();
    if (type != 0 && type != 1)
        return;
    const int needed = type == 0 ? 1 : RenameItems;
    if (src6.size() < needed) {
        qDebug() << "modifyGundata refused:" << src6.size() << "items instead of" << needed;
        return;
    }
    // An empty name addresses the whole preset group: removing it would
    // delete every preset. Nothing is stored under an empty name, so a
    // rename from one has nothing to remove.
    if (src6.at(0).toString().isEmpty()) {
        qDebug() << "modifyGundata refused: a preset name is empty";
        return;
    }
    auto file = openGunFile();
    if (!file)
        return;
    if (type == 0) {
        file->remove(presetKey(src6.at(0)));
    } else {
        if (!src6.at(6).toString().isEmpty())
            file->remove(presetKey(src6.at(6)));
        file->setValue(presetKey(src6.at(0)), plainSceneValue(src6.mid(1, 5)));
    }
    syncSettings(*file);
}

QVariantList GunStore::preset(const QVariant& name) const
{
    auto file = openGunFile();
    return file ? storedList(file->value(presetKey(name))) : QVariantList();
}

QStringList GunStore::presetNames() const
{
    auto file = openGunFile();
    if (!file)
        return QStringList();
    file->beginGroup(GunGroup);
    return file->childKeys();
}

QVariant GunStore::xySensitivity(const QVariant& index) const
{
    const QVariant v = m_profiles.value(XYPrefix + index.toString(), false);
    return v.isValid() ? v : QVariant(XYDefault);
}

void GunStore::setXYSensitivity(const QVariant& index, const QVariant& xyData)
{
    m_profiles.setValue(XYPrefix + index.toString(), xyData);
}

QVariant GunStore::selectedGun(const QVariant& index) const
{
    const QVariant v = m_profiles.value(SelectGunPrefix + index.toString(), false);
    return v.isValid() ? v : QVariant(QString());
}

void GunStore::setSelectedGun(const QVariant& index, const QVariant& xyData)
{
    m_profiles.setValue(SelectGunPrefix + index.toString(), xyData);
}
