// Gun presets sent to the mouse's three gun slots.
#include "features/device_features.h"
#include "device/hid_thread.h"
#include "features/device_profile_layout.h"
#include "settings/config_store.h"
#include <QDebug>

namespace {
constexpr int SendItems = 3;   // times, X, Y
using namespace DeviceProfileLayout;
} // namespace

void DeviceFeatures::sendGunPreset(int gunNo, const QVariantList& values)
{
    if (!m_config.traits().gun || !m_hid)
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
        uchar* image = m_images[size_t(gunNo + 1)].data();
        image[OffsetGunMarker] = GunMarker;
        image[OffsetGunTimes] = times;
        image[OffsetGunX] = x;
        image[OffsetGunY] = y;
        image[OffsetFlags] &= uchar(~FlagGunOff);
        m_hid->hid560_0CH_setProfile(image, uchar(gunNo + 1));
        return;
    }
    uchar b1 = 0, b2 = 0, b3 = 0, b4 = 0;
    m_hid->hid553_83H_GetKeyboardoption(b1, b2, b3, b4);
    if (b3 != 0)
        y = uchar(-y);   // this firmware counts the vertical axis the other way
    m_hid->hid553_04H_SetGunData(times, x, y, uchar(gunNo - 1));
}
