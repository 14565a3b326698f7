// Gun presets (./modules/gun/gunData.bin), the presets sent to the mouse's
// gun slots, and the per-profile XY sensitivity and gun selection values.
#include "app/myqquickview.h"
#include "features/device_profile_layout.h"
#include "device/hid_thread.h"
#include "settings/file_replace.h"
#include "settings/ini_format.h"
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
constexpr int SendItems = 3;          // times, X, Y
using namespace DeviceProfileLayout;

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

void myQQuickView::mouseSaveGundata(QVariant index, QVariantList src6)
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

void myQQuickView::modifyGundata(QVariant modifyType, QVariantList src6)
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

QVariantList myQQuickView::getGunData(QVariant name)
{
    auto file = openGunFile();
    return file ? storedList(file->value(presetKey(name))) : QVariantList();
}

QStringList myQQuickView::getGunDataKey()
{
    auto file = openGunFile();
    if (!file)
        return QStringList();
    file->beginGroup(GunGroup);
    return file->childKeys();
}

void myQQuickView::mouseSendGundata(int gunNo, QVariantList values)
{
    if (!isGun() || !hid)
        return;
    if (gunNo < 1 || gunNo > 3) {
        qDebug() << "mouseSendGundata refused: gun slot" << gunNo << "does not exist";
        return;
    }
    if (values.size() < SendItems) {
        qDebug() << "mouseSendGundata refused:" << values.size() << "items instead of" << SendItems;
        return;
    }
    const uchar times = uchar(values.at(0).toInt());
    const uchar x = uchar(values.at(1).toInt());
    uchar y = uchar(values.at(2).toInt());
    if (is560()) {
        uchar* image = profileImages[gunNo + 1];
        image[OffsetGunMarker] = GunMarker;
        image[OffsetGunTimes] = times;
        image[OffsetGunX] = x;
        image[OffsetGunY] = y;
        image[OffsetFlags] &= uchar(~FlagGunOff);
        hid->hid560_0CH_setProfile(image, uchar(gunNo + 1));
        return;
    }
    uchar b1 = 0, b2 = 0, b3 = 0, b4 = 0;
    hid->hid553_83H_GetKeyboardoption(b1, b2, b3, b4);
    if (b3 != 0)
        y = uchar(-y);   // this firmware counts the vertical axis the other way
    hid->hid553_04H_SetGunData(times, x, y, uchar(gunNo - 1));
}

QVariant myQQuickView::getXYSensitive(QVariant index)
{
    const QVariant v = getData(XYPrefix + index.toString(), false);
    return v.isValid() ? v : QVariant(XYDefault);
}

void myQQuickView::setXYSensitive(QVariant index, QVariant xyData)
{
    setData(XYPrefix + index.toString(), xyData);
}

QVariant myQQuickView::getselectGun(QVariant index)
{
    const QVariant v = getData(SelectGunPrefix + index.toString(), false);
    return v.isValid() ? v : QVariant(QString());
}

void myQQuickView::setSelectGun(QVariant index, QVariant xyData)
{
    setData(SelectGunPrefix + index.toString(), xyData);
}
