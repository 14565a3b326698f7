// DPI stages and lift-off distance: stage codes per sensor, the active stage.
#include "features/device_features.h"
#include "settings/config_store.h"
#include "settings/profile_store.h"
#include "features/device_profile_layout.h"
#include "device/hid_thread.h"
#include "features/dpi_stage_bytes.h"
#include <QDebug>

namespace {
constexpr int Stages = 8;
constexpr uchar DisabledStage553 = 0x80;
using namespace DeviceProfileLayout;
} // namespace

void DeviceFeatures::sendProfileImages()
{
    m_hid->hid560_0CH_setProfile(m_images[1].data(), 1);
    if (m_config.traits().gun) {
        for (uchar n = 2; n <= 4; ++n)
            m_hid->hid560_0CH_setProfile(m_images[n].data(), n);
    }
}

void DeviceFeatures::setDpi(int dpiCount, const QString& sensorType, const QVariantList& dpiValueArray,
                            const QVariantList& dpiEnableArray)
{
    if (!m_hid)
        return;
    uchar stages[Stages] = {};
    uchar highBits = 0;
    for (int i = 0; i < Stages && i < dpiValueArray.size(); ++i) {
        const int dpi = dpiValueArray.at(i).toInt();
        stages[i] = dpiStageByte(sensorType, dpi);
        if (dpiNeedsHighBit(sensorType, dpi))
            highBits |= uchar(1u << i);
    }
    if (!is560()) {
        if (dpiEnableArray.size() < Stages) {
            qDebug() << "mouseSetDpi refused:" << dpiEnableArray.size() << "enable values instead of" << Stages;
            return;
        }
        for (int i = 0; i < Stages; ++i) {
            if (dpiEnableArray.at(i).toInt() == 0)
                stages[i] = DisabledStage553;
        }
        m_hid->hid553_11H_SetDPISet(Stages, stages);
        return;
    }
    const bool highBitSensor = sensorType == QLatin1String("3389");
    for (int n = 1; n <= 4; ++n) {
        uchar* image = m_images[size_t(n)].data();
        for (int i = 0; i < Stages; ++i) {
            image[OffsetStages + i] = stages[i];
            image[OffsetStagesAgain + i] = stages[i];
        }
        image[OffsetStageMask] = dpiStageMask(dpiCount);
        if (highBitSensor) {
            image[OffsetHighBits] = highBits;
            image[OffsetHighBits + 1] = highBits;
        }
    }
    sendProfileImages();
}

void DeviceFeatures::setCurrentDpi(uchar currentDPI)
{
    if (!m_hid)
        return;
    if (is560())
        m_hid->hid560_04H_SetCurrentDPI(currentDPI);
    else
        m_hid->hid553_0BH_SetCurrentDPI(currentDPI);
}

QVariant DeviceFeatures::currentDpi()
{
    if (!m_hid)
        return 0;
    if (is560()) {
        uchar direction = 1, stage = 0;
        m_hid->hid560_84H_GetCurrentDPI(direction, stage);
        return int(stage);
    }
    uchar stage = 0;
    m_hid->hid553_8BH_GetCurrentDPI(stage);
    return int(stage);
}

void DeviceFeatures::setLod(uchar rate, uchar en)
{
    if (!m_hid)
        return;
    const uchar code = lodCode(rate);
    if (!is560()) {
        // The 553 family keeps its LOD in its own command, not in profiles.
        m_hid->hid553_07H_Lod(code, en);
        return;
    }
    uchar* image = m_images[1].data();
    if (en == 1)
        image[OffsetFlags] |= FlagLodEnable;
    else
        image[OffsetFlags] &= uchar(~FlagLodEnable);
    image[OffsetLod] = code;
    m_hid->hid560_0CH_setProfile(image, 1);
    qDebug() << "test" << int(code) << int(en);
}
