// Lighting: the lighting page's effect and colours, the DPI stage colours.
#include "app/myqquickview.h"
#include "features/device_profile_layout.h"
#include "device/hid_thread.h"
#include "features/lighting_tables.h"
#include <QDebug>
#include <algorithm>

namespace {
const QString StageColorKey = QStringLiteral("mouse/dpiColorType");
constexpr int StageColorBytes = 24;
constexpr uchar PackedType = 2;
using namespace DeviceProfileLayout;
// The third value the plain (non-colour) firmware expects.
constexpr uchar PlainThird = 2;
constexpr uchar PlainThirdNoGun = 3;
} // namespace

void myQQuickView::mouseSetLedType(uchar effect, uchar brightness, uchar speed, uchar direction,
                                   QVariantList rgbArray)
{
    qDebug() << "effect = " << int(effect);
    qDebug() << "brightness = " << int(brightness);
    qDebug() << "speed = " << int(speed);
    qDebug() << "direction = " << int(direction);
    {
        QDebug dbg = qDebug();
        dbg << "rgbArray = ";
        for (const QVariant& v : rgbArray)
            dbg << v.toInt();
    }
    if (!hid)
        return;
    auto block = lightingAttributeBlock(effect, brightness, speed, direction, rgbArray);
    hid->hid553_16H_SetSlaveAttritube(block.data());
}

void myQQuickView::mouseSetRGBColor(uchar type, QVariantList src24)
{
    if (!hid)
        return;
    auto bytes = bytesFromList<StageColorBytes>(src24);
    if (is560()) {
        const int image = isColorful() ? 0 : 1;
        const int offset = isColorful() ? OffsetColorsImage0 : OffsetColorsImage1;
        std::copy(bytes.begin(), bytes.end(), profileImages[image] + offset);
        hid->hid560_0CH_setProfile(profileImages[image], uchar(image));
        return;
    }
    if (!is55328()) {
        hid->hid553_10H_SetLED8StageColor(type, bytes.data());
        hid->hid553_10H_SetLED8StageColor(type, bytes.data());
        return;
    }
    // The 55328 firmware takes a full table only when the eighth colour is
    // set; otherwise it shows the first colour as a fixed colour.
    if (bytes[21] || bytes[22] || bytes[23])
        hid->hid553_10H_SetLED8StageColor(0, bytes.data());
    else
        hid->hid553_0CH_SetFixLEDColor(bytes.data());
}

void myQQuickView::mouseSetRGBEffect(uchar effect, uchar option1, uchar option2)
{
    if (!hid)
        return;
    const bool colorful = isColorful();
    const EffectValues v = effectValues(colorful, effect, option1, option2);
    if (!is560()) {
        const uchar third = colorful || is55328() ? v.third : PlainThird;
        hid->hid553_0DH_SetRGBLedEffect(v.mode, v.level, third);
        return;
    }
    for (int n = 1; n <= 4; ++n) {
        profileImages[n][OffsetEffectMode] = v.mode;
        profileImages[n][OffsetEffectLevel] = v.level;
        profileImages[n][OffsetEffectThird] = colorful ? v.third : PlainThird;
    }
    if (!colorful && !isGun()) {
        profileImages[1][OffsetEffectThird] = PlainThirdNoGun;
        hid->hid560_0CH_setProfile(profileImages[1], 1);
        return;
    }
    sendDeviceProfileImages();
}

void myQQuickView::ui_10H_SetLED8StageColor(uchar type, QVariantList src24)
{
    setDataList(StageColorKey + QString::number(type), src24);
    if (!hid)
        return;
    auto bytes = bytesFromList<StageColorBytes>(src24);
    if (type == PackedType) {
        const auto packed = packStageColorIndexes(bytes.data());
        std::copy(packed.begin(), packed.end(), bytes.begin());
    }
    hid->hid553_10H_SetLED8StageColor(type, bytes.data());
}

QVariantList myQQuickView::ui_90H_GetLED8StageColor(uchar type)
{
    QVariantList values;
    for (const QVariant& v : getDataList(StageColorKey + QString::number(type), false))
        values.append(v.toUInt());
    return values;
}

bool myQQuickView::chkIsLogoLedWork()
{
    if (!hid)
        return false;
    uchar option1 = 0, option2 = 0, option3 = 0;
    return hid->hid_87H_GetLEDInstructFunction(0, option1, option2, option3) && option1 == 0;
}
