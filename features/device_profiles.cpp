// Report rate, device option bytes and the 560 family's on-device profiles.
#include "app/myqquickview.h"
#include "device/hid_thread.h"
#include <QDebug>

namespace {
bool validProfile(uint profileNo, const char* slot)
{
    if (profileNo < uint(myQQuickView::DeviceProfileCount))
        return true;
    qDebug() << slot << "refused: on-device profile" << profileNo << "does not exist";
    return false;
}
} // namespace

void myQQuickView::readDeviceProfileImages()
{
    mouseReadProfile(0);
    mouseReadProfile(1);
    if (isGun()) {
        for (uint n = 2; n <= 4; ++n)
            mouseReadProfile(n);
    }
}

void myQQuickView::mouseSetReportRate(uchar rate)
{
    if (!hid)
        return;
    if (is560())
        hid->hid560_03H_SetReportRate(rate);
    else
        hid->hid553_01H_SetReportRate(rate);
}

void myQQuickView::mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    if (hid)
        hid->hid553_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

QVariantList myQQuickView::GetKeyboardoption()
{
    uchar b1 = 0, b2 = 0, b3 = 0, b4 = 0;
    if (hid)
        hid->hid553_83H_GetKeyboardoption(b1, b2, b3, b4);
    return {int(b1), int(b2), int(b3), int(b4)};
}

void myQQuickView::mouseSetProfile(uint profileNo)
{
    if (hid && validProfile(profileNo, "mouseSetProfile"))
        hid->hid560_0CH_setProfile(profileImages[profileNo], uchar(profileNo));
}

void myQQuickView::mouseReadProfile(uint profileNo)
{
    if (hid && validProfile(profileNo, "mouseReadProfile"))
        hid->hid560_8CH_readProfile(profileImages[profileNo], uchar(profileNo));
}

QVariant myQQuickView::mouseReadCurrentProfile()
{
    uchar profile = 0;
    if (hid)
        hid->hid560_82H_GetCurrentProfile(profile);
    return int(profile);
}
