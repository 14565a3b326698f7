// DPI stages and lift-off distance: stage codes per sensor, the active stage.
#include "app/myqquickview.h"
#include "features/device_profile_layout.h"
#include "device/hid_thread.h"
#include "features/dpi_stage_bytes.h"
#include <QDebug>

namespace {
constexpr int Stages = 8;
constexpr uchar DisabledStage553 = 0x80;
using namespace DeviceProfileLayout;
} // namespace

void myQQuickView::sendDeviceProfileImages()
{
    hid->hid560_0CH_setProfile(profileImages[1], 1);
    if (isGun()) {
        for (uchar n = 2; n <= 4; ++n)
            hid->hid560_0CH_setProfile(profileImages[n], n);
    }
}

void myQQuickView::mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray,
                               QVariantList dpiEnableArray)
{
    if (!hid)
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
        hid->hid553_11H_SetDPISet(Stages, stages);
        return;
    }
    const bool highBitSensor = sensorType == QLatin1String("3389");
    for (int n = 1; n <= 4; ++n) {
        uchar* image = profileImages[n];
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
    sendDeviceProfileImages();
}

void myQQuickView::mouseSetCurrentDPI(uchar currentDPI)
{
    if (!hid)
        return;
    if (is560())
        hid->hid560_04H_SetCurrentDPI(currentDPI);
    else
        hid->hid553_0BH_SetCurrentDPI(currentDPI);
}

QVariant myQQuickView::mouseGetCurrentDPI()
{
    if (!hid)
        return 0;
    if (is560()) {
        uchar direction = 1, stage = 0;
        hid->hid560_84H_GetCurrentDPI(direction, stage);
        return int(stage);
    }
    uchar stage = 0;
    hid->hid553_8BH_GetCurrentDPI(stage);
    return int(stage);
}

void myQQuickView::mouseSetLodValue(uchar rate, uchar en)
{
    if (!hid)
        return;
    const uchar code = lodCode(rate);
    if (!is560()) {
        // The 553 family keeps its LOD in its own command, not in profiles.
        hid->hid553_07H_Lod(code, en);
        return;
    }
    uchar* image = profileImages[1];
    if (en == 1)
        image[OffsetFlags] |= FlagLodEnable;
    else
        image[OffsetFlags] &= uchar(~FlagLodEnable);
    image[OffsetLod] = code;
    hid->hid560_0CH_setProfile(image, 1);
    qDebug() << "test" << int(code) << int(en);
}
