// Pointer settings on Windows: SystemParametersInfoW, made persistent in the
// user profile and broadcast to running programs.
#include "settings/pointer_platform.h"
#include <windows.h>
#include <cstdint>

namespace {

constexpr UINT UpdateAndBroadcast = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE; // 3

class WindowsPointerPlatform : public PointerPlatform {
public:
    bool setPointerSpeed(int speed) override
    {
        // The speed travels in the pointer argument itself.
        return SystemParametersInfoW(SPI_SETMOUSESPEED, 0,
                                     reinterpret_cast<PVOID>(static_cast<intptr_t>(speed)),
                                     UpdateAndBroadcast) != FALSE;
    }
    bool setDoubleClickTime(uint milliseconds) override
    {
        return SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, milliseconds, nullptr,
                                     UpdateAndBroadcast) != FALSE;
    }
    bool setWheelScrollLines(uint lines) override
    {
        return SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines, nullptr,
                                     UpdateAndBroadcast) != FALSE;
    }
    int currentValue(PointerSetting setting) const override
    {
        switch (setting) {
        case PointerSetting::Speed: {
            int speed = 0;
            return SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &speed, 0) ? speed : -1;
        }
        case PointerSetting::DoubleClickTime:
            return int(GetDoubleClickTime());
        case PointerSetting::WheelLines: {
            UINT lines = 0;
            return SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0) ? int(lines) : -1;
        }
        }
        return -1;
    }
};

} // namespace

PointerPlatform& PointerPlatform::system()
{
    static WindowsPointerPlatform platform;
    return platform;
}
