#pragma once
#include <QString>
#include <QtGlobal>

enum class PointerSetting { Speed = 0, DoubleClickTime = 1, WheelLines = 2 };

// The operating system's pointer settings that affect every pointing device.
// Each call reports whether the system took the value. One implementation
// per operating system (pointer_settings_win.cpp), on Linux one per desktop
// (pointer_settings_linux.cpp picks it).
class PointerPlatform {
public:
    virtual ~PointerPlatform() = default;
    // speed 1..20
    virtual bool setPointerSpeed(int speed) = 0;
    virtual bool setDoubleClickTime(uint milliseconds) = 0;
    virtual bool setWheelScrollLines(uint lines) = 0;
    // Empty when the system offers the setting; otherwise a short reason,
    // which the system page shows instead of the control.
    virtual QString unavailableReason(PointerSetting) const { return {}; }
    // The system's current value of a setting, as the setters take it
    // (pointer speed 1..20, double-click time in milliseconds, wheel lines);
    // -1 when the system cannot tell.
    virtual int currentValue(PointerSetting) const { return -1; }

    // The implementation in use: the operating system's unless a test or a
    // tool has installed another one (null restores the system's).
    static PointerPlatform& current();
    static void install(PointerPlatform* platform);
    // The operating system's implementation.
    static PointerPlatform& system();
};
