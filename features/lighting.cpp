// Lighting: the lighting page's effect and colours, the DPI stage colours.
#include "features/device_features.h"
#include "settings/config_store.h"
#include "settings/profile_store.h"
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

void DeviceFeatures::setLedType(uchar effect, uchar brightness, uchar speed, uchar direction,
                                const QVariantList& rgbArray)
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
    if (!m_hid)
        return;
    auto block = lightingAttributeBlock(effect, brightness, speed, direction, rgbArray);
    m_hid->hid553_16H_SetSlaveAttritube(block.data());
}

void DeviceFeatures::setRgbColor(uchar type, const QVariantList& src24)
{
    if (!m_hid)
        return;
    auto bytes = bytesFromList<StageColorBytes>(src24);
    if (is560()) {
        const int image = m_config.traits().colorful ? 0 : 1;
        const int offset = m_config.traits().colorful ? OffsetColorsImage0 : OffsetColorsImage1;
        std::copy(bytes.begin(), bytes.end(), m_images[size_t(image)].data() + offset);
        m_hid->hid560_0CH_setProfile(m_images[size_t(image)].data(), uchar(image));
        return;
    }
    if (!m_config.traits().is55328) {
        // This firmware wants the table twice in a row: the repeat goes out
        // whenever the first did, although the mouse then holds its bytes.
        m_hid->hid553_10H_SetLED8StageColor(type, bytes.data());
        if (!m_hid->lastBlockSkipped())
            m_hid->sendNextBlockAnyway();
        m_hid->hid553_10H_SetLED8StageColor(type, bytes.data());
        return;
    }
    // The 55328 firmware takes a full table only when the eighth colour is
    // set; otherwise it shows the first colour as a fixed colour.
    if (bytes[21] || bytes[22] || bytes[23])
        m_hid->hid553_10H_SetLED8StageColor(0, bytes.data());
    else
        m_hid->hid553_0CH_SetFixLEDColor(bytes.data());
}

void DeviceFeatures::setRgbEffect(uchar effect, uchar option1, uchar option2)
{
    if (!m_hid)
        return;
    const bool colorful = m_config.traits().colorful;
    const EffectValues v = effectValues(colorful, effect, option1, option2);
    if (!is560()) {
        const uchar third = colorful || m_config.traits().is55328 ? v.third : PlainThird;
        m_hid->hid553_0DH_SetRGBLedEffect(v.mode, v.level, third);
        return;
    }
    for (int n = 1; n <= 4; ++n) {
        m_images[n][OffsetEffectMode] = v.mode;
        m_images[n][OffsetEffectLevel] = v.level;
        m_images[n][OffsetEffectThird] = colorful ? v.third : PlainThird;
    }
    if (!colorful && !m_config.traits().gun) {
        m_images[1][OffsetEffectThird] = PlainThirdNoGun;
        m_hid->hid560_0CH_setProfile(m_images[1].data(), 1);
        return;
    }
    sendProfileImages();
}

void DeviceFeatures::setStageColors(uchar type, const QVariantList& src24)
{
    m_profiles.setValue(StageColorKey + QString::number(type), QVariant(src24));
    if (!m_hid)
        return;
    auto bytes = bytesFromList<StageColorBytes>(src24);
    if (type == PackedType) {
        const auto packed = packStageColorIndexes(bytes.data());
        std::copy(packed.begin(), packed.end(), bytes.begin());
    }
    m_hid->hid553_10H_SetLED8StageColor(type, bytes.data());
}

QVariantList DeviceFeatures::stageColors(uchar type) const
{
    QVariantList values;
    for (const QVariant& v : m_profiles.list(StageColorKey + QString::number(type), false))
        values.append(v.toUInt());
    return values;
}

bool DeviceFeatures::logoLedWorks()
{
    if (!m_hid)
        return false;
    uchar option1 = 0, option2 = 0, option3 = 0;
    return m_hid->hid_87H_GetLEDInstructFunction(0, option1, option2, option3) && option1 == 0;
}
