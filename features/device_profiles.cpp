// Report rate, device option bytes and the 560 family's on-device profiles.
#include "features/device_features.h"
#include "settings/config_store.h"
#include "settings/profile_store.h"
#include "device/hid_thread.h"
#include <QDebug>

namespace {
bool validProfile(uint profileNo, const char* slot)
{
    if (profileNo < uint(DeviceFeatures::ProfileImageCount))
        return true;
    qDebug() << slot << "refused: on-device profile" << profileNo << "does not exist";
    return false;
}
} // namespace

DeviceFeatures::DeviceFeatures(const ConfigStore& config, ProfileStore& profiles)
    : m_config(config), m_profiles(profiles)
{
}

bool DeviceFeatures::is560() const
{
    return m_config.traits().is560();
}

void DeviceFeatures::readProfileImages()
{
    readProfile(0);
    readProfile(1);
    if (m_config.traits().gun) {
        for (uint n = 2; n <= 4; ++n)
            readProfile(n);
    }
}

void DeviceFeatures::setReportRate(uchar rate)
{
    if (!m_hid)
        return;
    if (is560())
        m_hid->hid560_03H_SetReportRate(rate);
    else
        m_hid->hid553_01H_SetReportRate(rate);
}

void DeviceFeatures::setKeyboardOption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    if (m_hid)
        m_hid->hid553_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

QVariantList DeviceFeatures::keyboardOption()
{
    uchar b1 = 0, b2 = 0, b3 = 0, b4 = 0;
    if (m_hid)
        m_hid->hid553_83H_GetKeyboardoption(b1, b2, b3, b4);
    return {int(b1), int(b2), int(b3), int(b4)};
}

void DeviceFeatures::sendProfile(uint profileNo)
{
    if (m_hid && validProfile(profileNo, "mouseSetProfile"))
        m_hid->hid560_0CH_setProfile(m_images[profileNo].data(), uchar(profileNo));
}

void DeviceFeatures::readProfile(uint profileNo)
{
    if (m_hid && validProfile(profileNo, "mouseReadProfile"))
        m_hid->hid560_8CH_readProfile(m_images[profileNo].data(), uchar(profileNo));
}

QVariant DeviceFeatures::currentProfile()
{
    uchar profile = 0;
    if (m_hid)
        m_hid->hid560_82H_GetCurrentProfile(profile);
    return int(profile);
}
